#include "QIVFileInfo.h"

#include <sys/stat.h>

HRESULT QIVGetFileInfo(const QIVUnicodeString& path, QIVFileInfo& info) {
  info = QIVFileInfo();
  struct stat status;
  if (stat(path.ConvertToChar(), &status) != 0) return E_FAIL;
  if (S_ISREG(status.st_mode)) info.kind |= QIVFileInfo::RegularFile;
  if (S_ISDIR(status.st_mode)) info.kind |= QIVFileInfo::Directory;
  info.size = static_cast<std::int64_t>(status.st_size);
  return S_OK;
}
