#include "QIVSAXParseException.h"

QIVUnicodeString QIVSAXParseException::Format() const {
  QIVUnicodeString text = _systemId;
  if (_line > 0) text += QIVUnicodeString::Format(":%d", _line);
  if (_line > 0 && _column > 0) text += QIVUnicodeString::Format(":%d", _column);
  return text.IsEmpty() ? _message : text + ": " + _message;
}
