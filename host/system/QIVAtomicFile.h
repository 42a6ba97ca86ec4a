#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "QIVStatus.h"
#include "QIVUnicodeString.h"

// A file written as a whole or not at all: the content goes, as it comes, to
// a temporary file in the same directory, flushed to disk and then renamed
// over the target on Commit, so that a failed or interrupted save never
// damages the previous file. A new file gets the usual permissions, a
// replaced one keeps its own. A temporary neither committed nor abandoned is
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
  HRESULT Fail(int error, QIVUnicodeString& errorText);

  std::string _target;
  std::string _temporary;
  int _fd = -1;
  int _error = 0;
  std::string _buffer;
};

// Replaces the file at `path` with `content` through a temporary file in the
// same directory, flushed to disk and then renamed over the target, so that a
// failed or interrupted save never damages the previous file. A new file gets
// the usual permissions, a replaced one keeps its own. On failure the target
// is untouched, the temporary is removed and `errorText` names the path and
// the reason.
HRESULT QIVWriteFileAtomically(const QIVUnicodeString& path, std::string_view content,
                               QIVUnicodeString& errorText);

// Test seam: when set, called with the temporary's path once it is written
// and synced, just before it replaces the target. A nonzero errno value it
// returns fails the save with that reason. An empty hook removes it.
using QIVAtomicWriteHook = std::function<int(const std::string& temporaryPath)>;
void QIVSetAtomicWriteHook(QIVAtomicWriteHook hook);
