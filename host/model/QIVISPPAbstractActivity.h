#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// The activity as the process editors see it: its label (its name), father
// and type. Same answers as QIVISPPActivity.
class QIVISPPAbstractActivity : public QIVInterface<QIVISPPAbstractActivity> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPAbstractActivity";

  virtual QIVUnicodeString GetName() const = 0;
  virtual HRESULT SetName(const QIVUnicodeString& name) = 0;
  virtual QIVUnicodeString GetLabel() const = 0;
  virtual HRESULT SetLabel(const QIVUnicodeString& label) = 0;
  virtual QIVUnicodeString GetActivityType() const = 0;
  virtual bool IsSubTypeOf(const QIVUnicodeString& typeName) const = 0;
  virtual HRESULT GetFatherActivity(QIVBaseUnknown_var& father) const = 0;
};
using QIVISPPAbstractActivity_var = QIVVar<QIVISPPAbstractActivity>;
