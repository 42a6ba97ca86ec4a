#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// A datum target: a point, line or area of a part that establishes a datum.
class QIVITPSDatumTarget : public QIVInterface<QIVITPSDatumTarget> {
 public:
  static constexpr const char* InterfaceName = "QIVITPSDatumTarget";

  virtual QIVUnicodeString GetName() const = 0;
  virtual HRESULT SetName(const QIVUnicodeString& name) = 0;
  // The product the datum belongs to; E_FAIL when none.
  virtual HRESULT GetOwnerProduct(QIVBaseUnknown_var& product) const = 0;
  virtual HRESULT SetOwnerProduct(const QIVBaseUnknown_var& product) = 0;
};
using QIVITPSDatumTarget_var = QIVVar<QIVITPSDatumTarget>;
