#include "QIVAtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <string_view>
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

// ".doc.json.tmp-PID-": the temporaries of `base` made by process `pid`
// start so.
std::string TemporaryPrefix(const std::string& base, pid_t pid) {
  return "." + base + ".tmp-" + std::to_string(pid) + "-";
}

// Removes the temporaries of `base` whose process has ended: a save that was
// killed or crashed between naming its temporary and the rename.
void RemoveStaleTemporaries(const std::string& directory, const std::string& base) {
  DIR* listing = opendir(directory.c_str());
  if (!listing) return;
  const std::string prefix = "." + base + ".tmp-";
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name(entry->d_name);
    if (name.substr(0, prefix.size()) != prefix) continue;
    const std::string_view rest = name.substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 9 ||
        rest.substr(0, dash).find_first_not_of("0123456789") != std::string_view::npos)
      continue;
    const pid_t pid = static_cast<pid_t>(std::stol(std::string(rest.substr(0, dash))));
    if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH) unlinkat(dirfd(listing), entry->d_name, 0);
  }
  closedir(listing);
}

// An unnamed temporary can be linked in through /proc when the process may
// not link a descriptor directly.
bool CanLinkUnnamed() {
  static const bool available = access("/proc/self/fd", X_OK) == 0;
  return available;
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

std::string QIVResolveLinks(const std::string& path) {
  std::string resolved = path;
  // As many links as the system itself follows in one path.
  for (int hop = 0; hop < 40; ++hop) {
    struct stat status;
    if (lstat(resolved.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) break;
    std::string link(PATH_MAX, '\0');
    const ssize_t length = readlink(resolved.c_str(), link.data(), link.size());
    if (length <= 0) break;
    link.resize(static_cast<std::size_t>(length));
    resolved = link.front() == '/' ? link : DirectoryOf(resolved) + "/" + link;
  }
  return resolved;
}

HRESULT QIVAtomicFile::Open(const QIVUnicodeString& path, QIVUnicodeString& errorText) {
  Abandon();
  _shown = path.str();
  _target = QIVResolveLinks(_shown);
  const std::string directory = DirectoryOf(_target);
  const std::string base = BaseNameOf(_target);
  RemoveStaleTemporaries(directory, base);
  _fd = CanLinkUnnamed() ? open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600) : -1;
  _unnamed = _fd >= 0;
  if (!_unnamed) {
    std::string pattern = directory + "/" + TemporaryPrefix(base, getpid()) + "XXXXXX";
    _fd = mkstemp(pattern.data());
    if (_fd < 0) {
      errorText = QIVDescribeFileError("write", _shown, errno);
      return E_FAIL;
    }
    _temporary = std::move(pattern);
  }
  _error = 0;
  struct stat existing;
  if (stat(_target.c_str(), &existing) == 0) {
    // Another user's save (root's) leaves the document its owner's; where
    // the owner cannot be given back the file becomes the saver's, as any
    // new file would.
    const bool foreign = existing.st_uid != geteuid() || existing.st_gid != getegid();
    const int owned = foreign ? fchown(_fd, existing.st_uid, existing.st_gid) : 0;
    (void)owned;
    fchmod(_fd, existing.st_mode & 07777);
  } else {
    fchmod(_fd, ModeForNewFile());
  }
  return S_OK;
}

int QIVAtomicFile::NameTemporary() {
  static std::atomic<unsigned> counter{0};
  const std::string directory = DirectoryOf(_target);
  const std::string prefix = directory + "/" + TemporaryPrefix(BaseNameOf(_target), getpid());
  const std::string descriptor = "/proc/self/fd/" + std::to_string(_fd);
  for (int attempt = 0; attempt < 2; ++attempt) {
    const std::string name = prefix + std::to_string(counter++);
    if (linkat(_fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0 ||
        linkat(AT_FDCWD, descriptor.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      _temporary = name;
      _unnamed = false;
      return 0;
    }
    // A name of this process's id left by an earlier process that had it.
    if (errno != EEXIST) return errno;
    unlink(name.c_str());
  }
  return EEXIST;
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
    errorText = QIVDescribeFileError("write", _shown, EBADF);
    return E_FAIL;
  }
  Flush();
  int error = _error;
  if (error == 0 && fsync(_fd) != 0) error = errno;
  if (error == 0 && _unnamed) error = NameTemporary();
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
  errorText = QIVDescribeFileError("write", _shown, error);
  return E_FAIL;
}

void QIVAtomicFile::Abandon() {
  if (_fd >= 0) close(_fd);
  _fd = -1;
  if (!_temporary.empty()) unlink(_temporary.c_str());
  _temporary.clear();
  _unnamed = false;
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
