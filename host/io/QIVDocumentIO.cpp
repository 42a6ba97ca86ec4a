#include "QIVDocumentIO.h"

#include <string>

#include "QIVAtomicFile.h"
#include "QIVDocumentReader.h"
#include "QIVDocumentWriter.h"
#include "QIVFile.h"

HRESULT QIVDocumentIO::Load(const QIVUnicodeString& path, QIVIDocument_var& document,
                            QIVDocumentError& error) {
  document = nullptr;
  std::string text;
  QIVUnicodeString errorText;
  if (FAILED(QIVReadWholeFile(path, text, errorText))) {
    error = QIVDocumentError("", 0, 0, "", errorText);
    return E_FAIL;
  }
  return QIVDocumentReader::Read(text, path, document, error);
}

HRESULT QIVDocumentIO::Save(const QIVIDocument_var& document, const QIVUnicodeString& path,
                            QIVDocumentError& error) {
  std::string text;
  if (FAILED(QIVDocumentWriter::Write(document, text, error))) {
    error = QIVDocumentError(path, 0, 0, "", "not saved: " + error.GetReason());
    return E_FAIL;
  }
  QIVUnicodeString errorText;
  if (FAILED(QIVWriteFileAtomically(path, text, errorText))) {
    error = QIVDocumentError("", 0, 0, "", errorText);
    return E_FAIL;
  }
  error = QIVDocumentError();
  return S_OK;
}
