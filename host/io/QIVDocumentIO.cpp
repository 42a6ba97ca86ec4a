#include "QIVDocumentIO.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "QIVAtomicFile.h"
#include "QIVDocumentReader.h"
#include "QIVDocumentWriter.h"
#include "QIVFile.h"
#include "QIVFileInfo.h"

namespace {
// Far above the few tens of megabytes of a whole body, far below what would
// exhaust the machine while reading.
constexpr std::int64_t LargestDocument = std::int64_t{1} << 30;
}  // namespace

HRESULT QIVDocumentIO::Load(const QIVUnicodeString& path, QIVIDocument_var& document, QIVDocumentError& error,
                            QIVFileStamp* stamp) {
  document = nullptr;
  QIVFileInfo info;
  if (SUCCEEDED(QIVGetFileInfo(path, info)) && !info.IsRegularFile()) {
    error = QIVDocumentError(path, 0, 0, "", "not a document file");
    return E_FAIL;
  }
  if (info.size > LargestDocument) {
    error = QIVDocumentError(path, 0, 0, "", "a document file is at most 1 GiB");
    return E_FAIL;
  }
  // Room for the parser's padding, so that it reads the text in place.
  std::string text;
  text.reserve(static_cast<std::size_t>(std::max<std::int64_t>(info.size, 0)) + QIVDocumentReader::PaddingNeeded);
  QIVUnicodeString errorText;
  if (FAILED(QIVReadWholeFile(path, text, errorText))) {
    error = QIVDocumentError("", 0, 0, "", errorText);
    return E_FAIL;
  }
  if (stamp) *stamp = QIVFileStamp::Of(path.str(), text);
  return QIVDocumentReader::Read(
      std::move(text), [&](std::string& again) { return SUCCEEDED(QIVReadWholeFile(path, again, errorText)); },
      path, document, error);
}

HRESULT QIVDocumentIO::Save(const QIVIDocument_var& document, const QIVUnicodeString& path,
                            QIVDocumentError& error, QIVFileStamp* stamp) {
  QIVAtomicFile file;
  QIVUnicodeString errorText;
  if (document && FAILED(file.Open(path, errorText))) {
    error = QIVDocumentError("", 0, 0, "", errorText);
    return E_FAIL;
  }
  QIVFileStamp::Hash hash;
  if (FAILED(QIVDocumentWriter::Write(
          document,
          [&](std::string_view block) {
            file.Write(block);
            if (stamp) hash.Add(block);
          },
          error))) {
    error = QIVDocumentError(path, 0, 0, "", "not saved: " + error.GetReason());
    return E_FAIL;
  }
  if (FAILED(file.Commit(errorText))) {
    error = QIVDocumentError("", 0, 0, "", errorText);
    return E_FAIL;
  }
  if (stamp) *stamp = QIVFileStamp::Of(path.str(), hash);
  error = QIVDocumentError();
  return S_OK;
}
