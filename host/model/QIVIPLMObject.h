#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// The identifier under which the plant's repository knows an object; empty
// until the object was stored there.
class QIVIPLMObject : public QIVInterface<QIVIPLMObject> {
 public:
  static constexpr const char* InterfaceName = "QIVIPLMObject";

  virtual QIVUnicodeString GetPLMID() const = 0;
  virtual HRESULT SetPLMID(const QIVUnicodeString& identifier) = 0;
};
using QIVIPLMObject_var = QIVVar<QIVIPLMObject>;
