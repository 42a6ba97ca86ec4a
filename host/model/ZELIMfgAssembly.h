#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// A manufactured assembly: the products an activity has joined so far, as
// the activity puts it out. Its parts are products; assemblies put into it
// become its sub-assemblies.
class ZELIMfgAssembly : public QIVInterface<ZELIMfgAssembly> {
 public:
  static constexpr const char* InterfaceName = "ZELIMfgAssembly";

  virtual QIVUnicodeString GetLabel() const = 0;
  virtual HRESULT SetLabel(const QIVUnicodeString& label) = 0;
  // A product becomes a part, a manufactured assembly a sub-assembly;
  // S_FALSE when it is already there, E_INVALIDARG for anything else or for
  // an assembly that contains this one. An assembly outside any document
  // joins the document of what it is linked with.
  virtual HRESULT AddPart(const QIVBaseUnknown_var& part) = 0;
  // Removes a part or a sub-assembly; E_FAIL when it is not there.
  virtual HRESULT RemovePart(const QIVBaseUnknown_var& part) = 0;
  // The product parts in order (sub-assemblies not included).
  virtual HRESULT GetParts(QIVListValQIVBaseUnknown_var& parts) const = 0;
  virtual HRESULT GetSubAssemblies(QIVListValQIVBaseUnknown_var& assemblies) const = 0;
};
using ZELIMfgAssembly_var = QIVVar<ZELIMfgAssembly>;
