#include "QIVFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <string_view>

HRESULT QIVFOpen(const QIVUnicodeString& path, const char* mode, QIVFile& file) {
  if (file._stream) QIVFClose(file);
  static constexpr std::string_view modes[] = {"r", "w", "a", "rb", "wb"};
  if (!mode || std::ranges::find(modes, std::string_view(mode)) == std::end(modes)) return E_INVALIDARG;
  file._stream.reset(std::fopen(path.ConvertToChar(), mode));
  if (!file._stream) return E_FAIL;
  file._path = path.str();
  return S_OK;
}

HRESULT QIVFClose(QIVFile& file) {
  if (!file._stream) return E_FAIL;
  return std::fclose(file._stream.release()) == 0 ? S_OK : E_FAIL;
}

HRESULT QIVFRead(QIVFile& file, void* buffer, std::size_t size, std::size_t& bytesRead) {
  bytesRead = 0;
  if (!file._stream) return E_FAIL;
  std::clearerr(file._stream.get());  // an earlier failed call must not fail this one
  bytesRead = std::fread(buffer, 1, size, file._stream.get());
  return std::ferror(file._stream.get()) ? E_FAIL : S_OK;
}

HRESULT QIVFWrite(QIVFile& file, const void* data, std::size_t size) {
  if (!file._stream) return E_FAIL;
  return std::fwrite(data, 1, size, file._stream.get()) == size ? S_OK : E_FAIL;
}

bool QIVFEof(const QIVFile& file) { return !file._stream || std::feof(file._stream.get()); }

HRESULT QIVReadWholeFile(const QIVUnicodeString& path, std::string& content, QIVUnicodeString& errorText) {
  content.clear();
  QIVFile file;
  if (FAILED(QIVFOpen(path, "rb", file))) {
    errorText = QIVDescribeFileError("read", path.str(), errno);
    return E_FAIL;
  }
  char block[65536];
  std::size_t count = 0;
  HRESULT rc;
  while (SUCCEEDED(rc = QIVFRead(file, block, sizeof block, count)) && count > 0)
    content.append(block, count);
  if (FAILED(rc)) {
    errorText = QIVDescribeFileError("read", path.str(), errno);
    content.clear();
    return E_FAIL;
  }
  return S_OK;
}

QIVUnicodeString QIVDescribeFileError(const char* action, const std::string& path, int error) {
  return QIVUnicodeString("cannot ") + action + " " + QIVUnicodeString(path) + ": " + std::strerror(error);
}
