#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// A datum of a product's tolerancing: a reference that other features are located from.
class QIVITPSDatumSimple : public QIVInterface<QIVITPSDatumSimple> {
 public:
  static constexpr const char* InterfaceName = "QIVITPSDatumSimple";

  virtual QIVUnicodeString GetName() const = 0;
  virtual HRESULT SetName(const QIVUnicodeString& name) = 0;
  // The product the datum belongs to; E_FAIL when none.
  virtual HRESULT GetOwnerProduct(QIVBaseUnknown_var& product) const = 0;
  virtual HRESULT SetOwnerProduct(const QIVBaseUnknown_var& product) = 0;
};
using QIVITPSDatumSimple_var = QIVVar<QIVITPSDatumSimple>;
