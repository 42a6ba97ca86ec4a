#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "BiwplanHttpServer.h"
#include "BiwplanSession.h"
#include "BiwplanTab.h"

class QIVSharedLibrary;

// `biwplan serve`: the planner's main window in a web browser, over HTTP
// on one document. The owner session holds the document, its lock and its
// saving; each browser tab gets a session of its own on that document
// (BiwplanTab). Requests run on the HTTP library's threads, but the host
// is single-threaded: one request at a time touches the sessions and the
// document, so the events of all tabs are played one after another.
//
// Access: every request needs the server's token (the query word `token`,
// the cookie the page gets with it, or the header X-Biwplan-Token);
// requests that change anything (POST) need the header itself, which a
// page of another site cannot send. Refused requests answer 403.
class BiwplanServer {
 public:
  // `folders` are those the page's file chooser may show and a file box
  // may be given a file of: the document's folder and the examples.
  BiwplanServer(BiwplanSession& owner, std::vector<std::filesystem::path> folders);
  ~BiwplanServer();
  BiwplanServer(const BiwplanServer&) = delete;
  BiwplanServer& operator=(const BiwplanServer&) = delete;

  // Loads the HTTP server's module and binds the address; `port` 0 takes a
  // free one. False with the reason.
  bool Bind(const std::string& host, int port, std::string& error);
  // Serves until Stop (from another thread or a signal handler's thread),
  // once bound.
  void Run();
  void Stop();

  int Port() const { return _port; }
  const std::string& Token() const { return _token; }
  // The address a planner opens, with the token.
  std::string Url() const;

  // How many tabs one server keeps at most; a new tab beyond refuses.
  static constexpr std::size_t kMaxTabs = 64;
  // Threads that answer requests (only one at a time plays an event).
  static constexpr std::size_t kThreads = 32;

 private:
  using Json = BiwplanTab::Json;
  void Route();
  bool Allowed(const BiwplanHttpRequest& request, bool changes) const;
  // The tab a request names, null with 404 answered when none.
  BiwplanTab* FindTab(const Json& body, BiwplanHttpResponse& response);
  BiwplanTab* FindTab(const std::string& id, BiwplanHttpResponse& response);
  // While a command of one tab waits on a question box, halfway through
  // its work, nothing else may change the document: true with 409 answered
  // for anyone but `tab`.
  bool Busy(const BiwplanTab* tab, BiwplanHttpResponse& response);
  Json Model() const;
  Json Files() const;
  // Whether `path` names a file (there or to be written) in one of the
  // folders.
  bool InFolders(const std::string& path) const;

  BiwplanSession& _owner;
  std::vector<std::filesystem::path> _folders;
  // The module outlives the server it made.
  std::unique_ptr<QIVSharedLibrary> _module;
  std::unique_ptr<BiwplanHttpServer> _server;
  std::string _host;
  int _port = 0;
  std::string _token;
  std::mutex _mutex;
  std::map<std::string, std::unique_ptr<BiwplanTab>> _tabs;
  BiwplanTab* _asking = nullptr;
  std::size_t _nextTab = 1;
  long long _modelVersion = 0;
};
