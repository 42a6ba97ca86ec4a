#pragma once

#include <functional>
#include <string>
#include <string_view>

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
  // The same text handed to `sink` in blocks as it is written, so that a
  // large document never stands whole in memory; after a failure the blocks
  // already handed on are no document.
  using Sink = std::function<void(std::string_view block)>;
  static HRESULT Write(const QIVIDocument_var& document, const Sink& sink, QIVDocumentError& error);
};
