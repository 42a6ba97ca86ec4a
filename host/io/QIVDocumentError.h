#pragma once

#include <string>
#include <utility>

#include "QIVUnicodeString.h"

// Why a document could not be read or saved, and where: the file (or the
// name its text was given), the line and column when known (from 1; 0 when
// not), the JSON pointer of the faulty value ("/process/activities/0/type")
// and the reason.
class QIVDocumentError {
 public:
  QIVDocumentError() = default;
  QIVDocumentError(QIVUnicodeString sourceName, int line, int column, std::string pointer,
                   QIVUnicodeString reason)
      : _sourceName(std::move(sourceName)),
        _line(line),
        _column(column),
        _pointer(std::move(pointer)),
        _reason(std::move(reason)) {}

  const QIVUnicodeString& GetSourceName() const { return _sourceName; }
  int GetLine() const { return _line; }
  int GetColumn() const { return _column; }
  const std::string& GetPointer() const { return _pointer; }
  const QIVUnicodeString& GetReason() const { return _reason; }
  bool IsEmpty() const { return _reason.IsEmpty(); }

  // "FILE:LINE:COLUMN: reason" for text that is not JSON,
  // "FILE:LINE: POINTER: reason" for a faulty value, "FILE: reason" for the
  // file as a whole; without a source name, the rest alone.
  QIVUnicodeString Format() const;

 private:
  QIVUnicodeString _sourceName;
  int _line = 0;
  int _column = 0;
  std::string _pointer;
  QIVUnicodeString _reason;
};
