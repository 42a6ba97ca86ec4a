#include "QIVDocumentError.h"

QIVUnicodeString QIVDocumentError::Format() const {
  std::string text = _sourceName.str();
  if (_line > 0) text += ":" + std::to_string(_line);
  if (_line > 0 && _column > 0) text += ":" + std::to_string(_column);
  if (!text.empty()) text += ": ";
  if (!_pointer.empty()) text += _pointer + ": ";
  return text + _reason.str();
}
