#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"
#include "QIVVar.h"

// What an object shows in the property window: the names of its editor
// pages, in order, and the object they edit. Modules add it to the types of
// the objects they own pages for.
class QIVIRootProperties : public QIVInterface<QIVIRootProperties> {
 public:
  static constexpr const char* InterfaceName = "QIVIRootProperties";

  virtual QIVListValQIVUnicodeString GetListOfEditors() = 0;
  virtual QIVBaseUnknown_var GetAssociatedObject() = 0;
};
using QIVIRootProperties_var = QIVVar<QIVIRootProperties>;
