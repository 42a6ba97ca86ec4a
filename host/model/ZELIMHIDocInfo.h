#pragma once

#include "QIVVar.h"

// How a process document was loaded, told by its process container. A
// document loaded in partial read-only mode may not be given new
// resources.
class ZELIMHIDocInfo : public QIVInterface<ZELIMHIDocInfo> {
 public:
  static constexpr const char* InterfaceName = "ZELIMHIDocInfo";

  virtual bool IsPartialReadOnly() const = 0;
  virtual HRESULT SetPartialReadOnly(bool partialReadOnly) = 0;
};
using ZELIMHIDocInfo_var = QIVVar<ZELIMHIDocInfo>;
