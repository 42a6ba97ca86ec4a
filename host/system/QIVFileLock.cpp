#include "QIVFileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "QIVAtomicFile.h"
#include "QIVFile.h"

namespace {
// How often a waiting process tries the lock again.
constexpr std::chrono::milliseconds kRetry{20};

std::string LockPathOf(const std::string& path) {
  const std::string target = QIVResolveLinks(path);
  const std::size_t slash = target.find_last_of('/');
  const std::string directory = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  return directory + "." + target.substr(slash == std::string::npos ? 0 : slash + 1) + ".lock";
}
}  // namespace

HRESULT QIVFileLock::Acquire(const std::string& path, std::chrono::milliseconds wait,
                             const std::function<void()>& onWait, QIVUnicodeString& errorText) {
  Release();
  const std::string lockPath = LockPathOf(path);
  const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == EACCES || errno == EROFS || errno == EPERM) return S_OK;
    errorText = QIVDescribeFileError("lock", path, errno);
    return E_FAIL;
  }
  const auto deadline = std::chrono::steady_clock::now() + wait;
  bool waited = false;
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      errorText = QIVDescribeFileError("lock", path, errno);
      close(fd);
      return E_FAIL;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      errorText = QIVUnicodeString(path) +
                  QIVUnicodeString::Format(" is in use by another process (waited %lld s)",
                                           static_cast<long long>(wait.count() / 1000));
      close(fd);
      return E_FAIL;
    }
    if (!waited && onWait) onWait();
    waited = true;
    std::this_thread::sleep_for(kRetry);
  }
  _fd = fd;
  return S_OK;
}

void QIVFileLock::Release() {
  if (_fd < 0) return;
  close(_fd);
  _fd = -1;
}
