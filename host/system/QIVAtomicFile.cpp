#include "QIVAtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "QIVFile.h"

namespace {
// Writes reach the disk in blocks of this size.
constexpr std::size_t BufferSize = std::size_t{1} << 20;

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

HRESULT QIVAtomicFile::Open(const QIVUnicodeString& path, QIVUnicodeString& errorText) {
  Abandon();
  _target = path.str();
  std::string pattern = DirectoryOf(_target) + "/." + BaseNameOf(_target) + ".XXXXXX";
  _fd = mkstemp(pattern.data());
  if (_fd < 0) {
    errorText = QIVDescribeFileError("write", _target, errno);
    return E_FAIL;
  }
  _temporary = std::move(pattern);
  _error = 0;
  struct stat existing;
  fchmod(_fd, stat(_target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : ModeForNewFile());
  return S_OK;
}

void QIVAtomicFile::Write(std::string_view data) {
  if (_fd < 0 || _error != 0) return;
  if (_buffer.size() + data.size() < BufferSize) {
    _buffer.append(data);
    return;
  }
  Flush();
  if (_error == 0) _error = WriteAll(_fd, data);
}

void QIVAtomicFile::Flush() {
  if (_error == 0 && !_buffer.empty()) _error = WriteAll(_fd, _buffer);
  _buffer.clear();
}

HRESULT QIVAtomicFile::Commit(QIVUnicodeString& errorText) {
  if (_fd < 0) {
    errorText = QIVDescribeFileError("write", _target, EBADF);
    return E_FAIL;
  }
  Flush();
  int error = _error;
  if (error == 0 && fsync(_fd) != 0) error = errno;
  if (close(_fd) != 0 && error == 0) error = errno;
  _fd = -1;
  if (error == 0 && Hook()) error = Hook()(_temporary);
  if (error == 0 && rename(_temporary.c_str(), _target.c_str()) != 0) error = errno;
  if (error != 0) return Fail(error, errorText);
  _temporary.clear();
  SyncDirectory(DirectoryOf(_target));
  return S_OK;
}

HRESULT QIVAtomicFile::Fail(int error, QIVUnicodeString& errorText) {
  Abandon();
  errorText = QIVDescribeFileError("write", _target, error);
  return E_FAIL;
}

void QIVAtomicFile::Abandon() {
  if (_fd >= 0) close(_fd);
  _fd = -1;
  if (!_temporary.empty()) unlink(_temporary.c_str());
  _temporary.clear();
  _buffer.clear();
  _buffer.shrink_to_fit();
}

HRESULT QIVWriteFileAtomically(const QIVUnicodeString& path, std::string_view content,
                               QIVUnicodeString& errorText) {
  QIVAtomicFile file;
  if (FAILED(file.Open(path, errorText))) return E_FAIL;
  file.Write(content);
  return file.Commit(errorText);
}
