#include "QIVAtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "QIVFile.h"

namespace {
QIVAtomicWriteHook& Hook() {
  static QIVAtomicWriteHook hook;
  return hook;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t ModeForNewFile() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

int WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// The rename itself must reach the disk for the new content to survive a
// crash; a directory that cannot be synced does not make the save fail.
void SyncDirectory(const std::string& directory) {
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}
}  // namespace

void QIVSetAtomicWriteHook(QIVAtomicWriteHook hook) { Hook() = std::move(hook); }

HRESULT QIVWriteFileAtomically(const QIVUnicodeString& path, std::string_view content,
                               QIVUnicodeString& errorText) {
  const std::string& target = path.str();
  const std::string directory = DirectoryOf(target);
  const std::string pattern = directory + "/." + BaseNameOf(target) + ".XXXXXX";
  std::vector<char> temporary(pattern.begin(), pattern.end());
  temporary.push_back('\0');

  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    errorText = QIVDescribeFileError("write", target, errno);
    return E_FAIL;
  }
  struct stat existing;
  fchmod(fd, stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : ModeForNewFile());

  int error = WriteAll(fd, content);
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && Hook()) error = Hook()(temporary.data());
  if (error == 0 && rename(temporary.data(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.data());
    errorText = QIVDescribeFileError("write", target, error);
    return E_FAIL;
  }
  SyncDirectory(directory);
  return S_OK;
}
