#pragma once

#include "QIVDocumentError.h"
#include "QIVFileStamp.h"
#include "QIVIDocument.h"

// Process document files: JSON (docs/document-format.md), checked whole on
// load and replaced atomically on save.
class QIVDocumentIO {
 public:
  // A new document from the file; E_FAIL with the file, the place and the
  // reason in `error` when it cannot be read or is not a sound document.
  // `stamp`, when given, gets the stamp of the bytes read, for a later save
  // to tell whether the file changed meanwhile.
  static HRESULT Load(const QIVUnicodeString& path, QIVIDocument_var& document, QIVDocumentError& error,
                      QIVFileStamp* stamp = nullptr);
  // Writes the document to the file through a temporary that replaces it
  // only once complete, so a failed save leaves the previous file as it was.
  // `stamp`, when given, gets the stamp of the bytes written, taken as they
  // go rather than read back.
  static HRESULT Save(const QIVIDocument_var& document, const QIVUnicodeString& path,
                      QIVDocumentError& error, QIVFileStamp* stamp = nullptr);
};
