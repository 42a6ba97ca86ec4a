#include "JournalError.h"

QIVUnicodeString JournalError::Format() const {
  if (_line <= 0) return _sourceName + ": " + _reason;
  return _sourceName + QIVUnicodeString::Format(":%d: ", _line) + _reason;
}
