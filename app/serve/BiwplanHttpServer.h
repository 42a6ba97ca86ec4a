#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The HTTP server `biwplan serve` runs on, as the program sees it. Its one
// implementation, on cpp-httplib, is built as a module of its own next to
// the program (libbiwplan_http.so), which the program loads only when it
// serves: other runs do not map the HTTP library nor the TLS and
// compression libraries it needs. Only these classes cross between the two.

class BiwplanHttpRequest {
 public:
  virtual ~BiwplanHttpRequest() = default;
  virtual const std::string& Method() const = 0;
  virtual const std::string& Path() const = 0;
  virtual const std::string& Body() const = 0;
  // The first value of a header or of a query word, empty when there is none.
  virtual std::string Header(const std::string& name) const = 0;
  virtual std::string Parameter(const std::string& name) const = 0;
};

class BiwplanHttpResponse {
 public:
  virtual ~BiwplanHttpResponse() = default;
  virtual void SetStatus(int status) = 0;
  virtual void SetContent(const char* bytes, std::size_t size, const std::string& type) = 0;
  virtual void SetHeader(const std::string& name, const std::string& value) = 0;
};

// Handlers run on the server's threads, several at once.
class BiwplanHttpServer {
 public:
  using Handler = std::function<void(const BiwplanHttpRequest&, BiwplanHttpResponse&)>;
  // Sees every request first; true when it answered it itself.
  using Guard = std::function<bool(const BiwplanHttpRequest&, BiwplanHttpResponse&)>;
  struct Settings {
    std::size_t threads = 8;
    std::size_t maxBodyBytes = 1 << 20;
    // Requests one connection may carry before the server closes it.
    std::size_t requestsPerConnection = 5;
  };

  virtual ~BiwplanHttpServer() = default;
  virtual void SetGuard(Guard guard) = 0;
  // `pattern` is a regular expression matched against the whole path; the
  // first route that matches answers.
  virtual void Get(const std::string& pattern, Handler handler) = 0;
  virtual void Post(const std::string& pattern, Handler handler) = 0;
  // The port bound (a free one for `port` 0), or -1.
  virtual int Bind(const std::string& host, int port) = 0;
  // Serves until Stop, which may come from any thread.
  virtual void Run() = 0;
  virtual void Stop() = 0;
};

// The module's one entry point, looked up by this name; the caller owns
// the server and keeps the module loaded while it lives.
inline constexpr const char* kBiwplanHttpServerFactory = "BiwplanNewHttpServer";
extern "C" BiwplanHttpServer* BiwplanNewHttpServer(const BiwplanHttpServer::Settings& settings);
