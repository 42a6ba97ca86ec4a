#include "QIVDirectory.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "QIVFile.h"

HRESULT QIVOpenDirectory(const QIVUnicodeString& path, QIVDirectory& directory) {
  if (directory._handle) QIVCloseDirectory(directory);
  directory._handle.reset(opendir(path.ConvertToChar()));
  if (!directory._handle) return E_FAIL;
  directory._path = path.str();
  return S_OK;
}

HRESULT QIVReadDirectory(QIVDirectory& directory, QIVUnicodeString& entryName) {
  if (!directory._handle) return E_FAIL;
  errno = 0;
  while (const dirent* entry = readdir(directory._handle.get())) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    entryName = entry->d_name;
    return S_OK;
  }
  return errno == 0 ? S_FALSE : E_FAIL;
}

HRESULT QIVCloseDirectory(QIVDirectory& directory) {
  if (!directory._handle) return E_FAIL;
  return closedir(directory._handle.release()) == 0 ? S_OK : E_FAIL;
}

HRESULT QIVCreateDirectories(const QIVUnicodeString& path, QIVUnicodeString& errorText) {
  const std::string& full = path.str();
  if (full.empty()) {
    errorText = QIVDescribeFileError("create directory", full, ENOENT);
    return E_FAIL;
  }
  // Each prefix ending before a separator, then the whole path.
  for (std::size_t end = full.find('/', 1);; end = full.find('/', end + 1)) {
    const std::string prefix = full.substr(0, end);
    if (!prefix.empty() && mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) {
      errorText = QIVDescribeFileError("create directory", prefix, errno);
      return E_FAIL;
    }
    if (end == std::string::npos) break;
  }
  struct stat status;
  if (stat(full.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
    errorText = QIVDescribeFileError("create directory", full, ENOTDIR);
    return E_FAIL;
  }
  return S_OK;
}
