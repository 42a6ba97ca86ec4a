#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "QIVDispatcher.h"
#include "QIVFileLock.h"
#include "QIVFileStamp.h"
#include "QIVIDocument.h"

// A planner's session: the module loaded, one dispatcher that runs its
// commands (and owns the host session: transcript, boxes, editor), and one
// open document in the current editor. Closing the
// session cancels the running commands and closes the document.
class BiwplanSession {
 public:
  BiwplanSession();
  ~BiwplanSession();
  BiwplanSession(const BiwplanSession&) = delete;
  BiwplanSession& operator=(const BiwplanSession&) = delete;

  // Takes the lock of the document file (QIVFileLock), held until the
  // session goes, so that the changes of two planners follow one another:
  // taken before Open by a session that may save. Waits at most
  // BIWPLAN_LOCK_WAIT seconds (30 when unset), calling `onWait` once when
  // it must wait; false with the reason when the wait ran out.
  bool Lock(const std::string& path, const std::function<void()>& onWait, std::string& error);
  // Opens the document file, which becomes the session's document; false
  // with an error naming the file and the reason, the session unchanged.
  bool Open(const std::string& path, std::string& error);
  // Opens the document of `owner` in this session's own editor, so that two
  // planners (two browser tabs) work on one document with commands, dialogs
  // and transcripts of their own. The owner keeps the document, its lock
  // and its saving, and must outlive this session; this one never saves.
  // The plant's repository of the owner's editor is this one's too.
  void Share(BiwplanSession& owner);
  // An empty document (the process root "Process", no products), to be
  // saved under `path`.
  void OpenNew(const std::string& path);
  // Saves the document atomically, under its own path when `path` is empty.
  // Under its own path it first checks that the file is still the one
  // opened (QIVFileStamp) and otherwise refuses: "DOC changed since it was
  // loaded; nothing saved".
  bool Save(const std::string& path, std::string& error);
  // In a dry run a save under the document's own path writes nothing (a
  // journal's `save` of a copy elsewhere is still written).
  void SetDryRun(bool dryRun) { _dryRun = dryRun; }

  // For the command-line program alone, which ends once its verb is done:
  // from then on a session's document and dispatcher are left to the end of
  // the process instead of being taken down object by object.
  static void LeaveDocumentsToProcessEnd();

  const QIVIDocument_var& Document() const { return _document; }
  const std::string& Path() const { return _path; }
  QIVDispatcher& Dispatcher() { return *_dispatcher; }
  QIVSession& Session() { return _dispatcher->GetSession(); }

 private:
  void Adopt(QIVIDocument_var document, const std::string& path);
  void Close();

  std::unique_ptr<QIVDispatcher> _dispatcher;
  QIVIDocument_var _document;
  std::string _path;
  QIVFileLock _lock;
  // The file as opened or last saved; none for a new document.
  std::optional<QIVFileStamp> _stamp;
  bool _dryRun = false;
  // The document is another session's (Share).
  bool _shared = false;
};
