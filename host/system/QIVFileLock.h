#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "QIVStatus.h"
#include "QIVUnicodeString.h"

// An advisory lock (flock) on a file, held through a lock file beside it:
// ".NAME.lock" next to the file a path stands for once its links are
// followed, so every name of one file shares one lock. Processes that take
// it one after the other never interleave their work on the file. The lock
// file stays: removing it would let two processes lock two different
// files of one name. The lock goes with the object.
class QIVFileLock {
 public:
  QIVFileLock() = default;
  QIVFileLock(const QIVFileLock&) = delete;
  QIVFileLock& operator=(const QIVFileLock&) = delete;
  ~QIVFileLock() { Release(); }

  // Takes the lock of `path`, waiting at most `wait` while another process
  // holds it; `onWait` is called once when it must wait. E_FAIL when the
  // wait ran out. Where no lock file can be made (a folder the process
  // may not write, where it cannot save either) the file is not locked and
  // S_OK answered.
  HRESULT Acquire(const std::string& path, std::chrono::milliseconds wait, const std::function<void()>& onWait,
                  QIVUnicodeString& errorText);
  void Release();
  bool IsHeld() const { return _fd >= 0; }

 private:
  int _fd = -1;
};
