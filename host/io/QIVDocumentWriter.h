#pragma once

#include <string>

#include "QIVDocumentError.h"
#include "QIVIDocument.h"

// Writes a process document as JSON text (docs/document-format.md). The
// same document always gives the same bytes, and reading them back gives
// the same document: every object with its id, every list in its order.
class QIVDocumentWriter {
 public:
  // E_FAIL, with the reason in `error`, for what the format cannot keep: a
  // number that is not finite, an object standing outside the document's
  // structure, a link to an object of another document.
  static HRESULT Write(const QIVIDocument_var& document, std::string& text, QIVDocumentError& error);
};
