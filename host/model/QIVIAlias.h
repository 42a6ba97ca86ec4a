#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// The display name of a BIW feature: a fastener's name ("W0012, A"), a
// joint body's name, a locator's name.
class QIVIAlias : public QIVInterface<QIVIAlias> {
 public:
  static constexpr const char* InterfaceName = "QIVIAlias";

  virtual QIVUnicodeString GetAlias() const = 0;
  virtual HRESULT SetAlias(const QIVUnicodeString& alias) = 0;
};
using QIVIAlias_var = QIVVar<QIVIAlias>;
