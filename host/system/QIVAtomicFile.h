#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "QIVStatus.h"
#include "QIVUnicodeString.h"

// A file written as a whole or not at all: the content goes, as it comes, to
// a temporary file in the same directory, flushed to disk and then renamed
// over the target on Commit, so that a failed or interrupted save never
// damages the previous file. A target that is a symbolic link is written
// through it: the file it points to is replaced, the link stays. A new file
// gets the usual permissions, a replaced one keeps its mode, owner and group.
// The temporary has no name while it is written where the system allows it
// (O_TMPFILE), and takes one only just before the rename; the temporary of
// a process that died (its name carries the process id) is removed by the
// next save beside it. A temporary neither committed nor abandoned is
// removed when the object goes.
class QIVAtomicFile {
 public:
  QIVAtomicFile() = default;
  QIVAtomicFile(const QIVAtomicFile&) = delete;
  QIVAtomicFile& operator=(const QIVAtomicFile&) = delete;
  ~QIVAtomicFile() { Abandon(); }

  HRESULT Open(const QIVUnicodeString& path, QIVUnicodeString& errorText);
  // Appends through a buffer; the first failure is kept for Commit.
  void Write(std::string_view data);
  // Replaces the target; on failure the target is untouched, the temporary
  // removed and `errorText` names the path and the reason.
  HRESULT Commit(QIVUnicodeString& errorText);
  void Abandon();

 private:
  void Flush();
  // Links the unnamed temporary into the target's directory; 0 or errno.
  int NameTemporary();
  HRESULT Fail(int error, QIVUnicodeString& errorText);

  // The path as given, for messages, and the file it stands for.
  std::string _shown;
  std::string _target;
  // The temporary's name once it has one; an unnamed one is linked in at
  // Commit.
  std::string _temporary;
  bool _unnamed = false;
  int _fd = -1;
  int _error = 0;
  std::string _buffer;
};

// Replaces the file at `path` with `content` as QIVAtomicFile does. On
// failure the target is untouched, the temporary is removed and `errorText`
// names the path and the reason.
HRESULT QIVWriteFileAtomically(const QIVUnicodeString& path, std::string_view content,
                               QIVUnicodeString& errorText);

// The file a path stands for once its symbolic links are followed (a link
// whose target does not exist yet included): what a save writes.
std::string QIVResolveLinks(const std::string& path);

// Test seam: when set, called with the temporary's path once it is written,
// synced and named, just before it replaces the target. A nonzero errno value it
// returns fails the save with that reason. An empty hook removes it.
using QIVAtomicWriteHook = std::function<int(const std::string& temporaryPath)>;
void QIVSetAtomicWriteHook(QIVAtomicWriteHook hook);
