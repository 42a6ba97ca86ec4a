#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "QIVDocumentError.h"
#include "QIVIDocument.h"

// Builds a process document from its JSON text (docs/document-format.md),
// checking every value: the first fault stops the reading with its place
// (line and JSON pointer) and reason, and nothing of the text is kept.
class QIVDocumentReader {
 public:
  // `sourceName` names the text in errors (usually its file). On failure
  // E_FAIL, `document` empty.
  static HRESULT Read(std::string_view text, const QIVUnicodeString& sourceName, QIVIDocument_var& document,
                      QIVDocumentError& error);
  // The same; when the string's spare capacity reaches `PaddingNeeded`
  // bytes, the parser reads it in place instead of copying it first.
  static HRESULT Read(const std::string& text, const QIVUnicodeString& sourceName, QIVIDocument_var& document,
                      QIVDocumentError& error);
  static constexpr std::size_t PaddingNeeded = 64;
  // Gives the text again, false when it cannot.
  using TextSource = std::function<bool(std::string& text)>;
  // The same, taking the text and freeing it once it is parsed, before the
  // objects are built, so that a body's text and its objects never stand in
  // memory together; a fault found while building asks `again` for the text
  // to place it on its line.
  static HRESULT Read(std::string&& text, const TextSource& again, const QIVUnicodeString& sourceName,
                      QIVIDocument_var& document, QIVDocumentError& error);

 private:
  static HRESULT ReadText(std::string_view text, bool padded, std::string* owned, const TextSource* again,
                          const QIVUnicodeString& sourceName, QIVIDocument_var& document,
                          QIVDocumentError& error);
};
