#pragma once

#include "QIVUnicodeString.h"

// The attributes of a start tag, in the order written, valid for the
// length of the event that hands them over.
class QIVISAXAttributeList {
 public:
  virtual ~QIVISAXAttributeList() = default;

  virtual int GetLength() const = 0;
  // Name and value of the attribute at `index` (from 0); empty out of range.
  virtual QIVUnicodeString GetName(int index) const = 0;
  virtual QIVUnicodeString GetValue(int index) const = 0;
  // The value of the attribute of that name; empty when there is none.
  virtual QIVUnicodeString GetValue(const QIVUnicodeString& name) const = 0;
};
