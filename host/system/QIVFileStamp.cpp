#include "QIVFileStamp.h"

#include <sys/stat.h>

#include <functional>

#include "QIVFile.h"

QIVFileStamp QIVFileStamp::Of(const std::string& path, std::string_view content) {
  QIVFileStamp stamp;
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return stamp;
  stamp._exists = true;
  stamp._device = status.st_dev;
  stamp._inode = status.st_ino;
  stamp._size = status.st_size;
  stamp._modified = static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec;
  stamp._hash = std::hash<std::string_view>{}(content);
  return stamp;
}

QIVFileStamp QIVFileStamp::Read(const std::string& path) {
  std::string content;
  QIVUnicodeString ignored;
  if (FAILED(QIVReadWholeFile(path, content, ignored))) return QIVFileStamp();
  return Of(path, content);
}

bool QIVFileStamp::Matches(const std::string& path) const {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return !_exists;
  const long long modified =
      static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec;
  if (!_exists || status.st_dev != _device || status.st_ino != _inode || status.st_size != _size ||
      modified != _modified)
    return false;
  const QIVFileStamp now = Read(path);
  return now._exists && now._hash == _hash;
}
