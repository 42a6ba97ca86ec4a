#pragma once

#include <utility>

#include "QIVUnicodeString.h"

// A fault met while an XML file is read: the file (its system identifier),
// the line and column where the parser stood (from 1; 0 when not known)
// and the reason.
class QIVSAXParseException {
 public:
  QIVSAXParseException() = default;
  QIVSAXParseException(QIVUnicodeString systemId, int line, int column, QIVUnicodeString message)
      : _systemId(std::move(systemId)), _line(line), _column(column), _message(std::move(message)) {}

  const QIVUnicodeString& GetSystemId() const { return _systemId; }
  int GetLineNumber() const { return _line; }
  int GetColumnNumber() const { return _column; }
  const QIVUnicodeString& GetMessage() const { return _message; }

  // "FILE:LINE:COLUMN: reason"; the place is left out where it is not known.
  QIVUnicodeString Format() const;

 private:
  QIVUnicodeString _systemId;
  int _line = 0;
  int _column = 0;
  QIVUnicodeString _message;
};
