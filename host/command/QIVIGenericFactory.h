#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// Makes objects by name: the editor factories hung on the editor manager
// answer for the page names they support.
class QIVIGenericFactory : public QIVInterface<QIVIGenericFactory> {
 public:
  static constexpr const char* InterfaceName = "QIVIGenericFactory";

  virtual bool Support(const QIVUnicodeString& name) const = 0;
  // The object made for the name, empty when the name is not supported.
  virtual QIVBaseUnknown_var Create(const QIVUnicodeString& name) const = 0;
};
using QIVIGenericFactory_var = QIVVar<QIVIGenericFactory>;
