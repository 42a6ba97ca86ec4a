#pragma once

#include <utility>

#include "QIVUnicodeString.h"

// A fault of a journal, placed where it stands: the file (or the name the
// text was given) and the line, counted from 1; line 0 is the file as a
// whole (it cannot be read, or is too large).
class JournalError {
 public:
  JournalError(QIVUnicodeString sourceName, int line, QIVUnicodeString reason)
      : _sourceName(std::move(sourceName)), _line(line), _reason(std::move(reason)) {}

  const QIVUnicodeString& GetSourceName() const { return _sourceName; }
  int GetLine() const { return _line; }
  const QIVUnicodeString& GetReason() const { return _reason; }

  // "FILE:LINE: reason", or "FILE: reason" for the file as a whole.
  QIVUnicodeString Format() const;

 private:
  QIVUnicodeString _sourceName;
  int _line = 0;
  QIVUnicodeString _reason;
};
