#pragma once

#include "QIVUnicodeString.h"

// Where the parser stands in the file it reads, for handlers that place
// what they find. Valid between the parser's SetDocumentLocator calls.
class QIVISAXLocator {
 public:
  virtual ~QIVISAXLocator() = default;

  virtual QIVUnicodeString GetSystemId() const = 0;
  // From 1; 0 when not known.
  virtual int GetLineNumber() const = 0;
  virtual int GetColumnNumber() const = 0;
};
