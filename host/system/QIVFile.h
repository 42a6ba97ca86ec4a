#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

#include "QIVStatus.h"
#include "QIVUnicodeString.h"

// An open file. It owns its stream: moving hands the stream on, and a file
// still open when destroyed is closed then. Reads are buffered, so reading a
// large weld file one character at a time stays cheap.
class QIVFile {
 public:
  bool IsOpen() const { return _stream != nullptr; }
  const std::string& Path() const { return _path; }

 private:
  friend HRESULT QIVFOpen(const QIVUnicodeString& path, const char* mode, QIVFile& file);
  friend HRESULT QIVFClose(QIVFile& file);
  friend int QIVFGetChar(QIVFile& file);
  friend HRESULT QIVFRead(QIVFile& file, void* buffer, std::size_t size, std::size_t& bytesRead);
  friend HRESULT QIVFWrite(QIVFile& file, const void* data, std::size_t size);
  friend bool QIVFEof(const QIVFile& file);

  struct Closer {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
  };
  std::unique_ptr<std::FILE, Closer> _stream;
  std::string _path;
};

// Opens `path` with one of the modes "r", "w", "a", "rb", "wb" (text and
// binary are the same here). An open `file` is closed first. E_INVALIDARG for
// another mode, E_FAIL when the file cannot be opened (errno tells why).
HRESULT QIVFOpen(const QIVUnicodeString& path, const char* mode, QIVFile& file);
// Closes the file; E_FAIL when it was not open or buffered data could not be
// written.
HRESULT QIVFClose(QIVFile& file);

// The next byte (0 to 255), or EOF at the end of the file, on a read error or
// on a file that is not open.
inline int QIVFGetChar(QIVFile& file) { return file._stream ? getc_unlocked(file._stream.get()) : EOF; }
// Reads up to `size` bytes; `bytesRead` tells how many came. Reaching the end
// of the file is not a failure, a read error is.
HRESULT QIVFRead(QIVFile& file, void* buffer, std::size_t size, std::size_t& bytesRead);
// Writes all `size` bytes or fails.
HRESULT QIVFWrite(QIVFile& file, const void* data, std::size_t size);
inline HRESULT QIVFWrite(QIVFile& file, const QIVUnicodeString& text) {
  return QIVFWrite(file, text.ConvertToChar(), text.str().size());
}
// True once a read has met the end of the file.
bool QIVFEof(const QIVFile& file);

// The whole content of a file, for formats parsed in one go. On failure
// `errorText` names the path and the reason.
HRESULT QIVReadWholeFile(const QIVUnicodeString& path, std::string& content, QIVUnicodeString& errorText);

// "cannot <action> <path>: <reason of errno>", the wording of every file error
// the host reports.
QIVUnicodeString QIVDescribeFileError(const char* action, const std::string& path, int error);
