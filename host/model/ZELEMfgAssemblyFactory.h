#pragma once

#include "QIVVar.h"

// Makes manufactured assemblies. Built for a document, it makes them in
// that document; built without one, it makes assemblies outside any
// document, which join the document of the first activity, product output
// or assembly they are linked with.
class ZELEMfgAssemblyFactory {
 public:
  explicit ZELEMfgAssemblyFactory(QIVBaseUnknown_var document = nullptr);

  // A new, empty assembly (ZELIMfgAssembly); empty handle on failure.
  QIVBaseUnknown_var CreateMfgAssembly() const;

 private:
  QIVBaseUnknown_var _document;
};
