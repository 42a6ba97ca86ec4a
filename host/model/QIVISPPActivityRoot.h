#pragma once

#include "QIVVar.h"

// A process root: a top activity of the process container (the first one is
// the document's process, named "Process").
class QIVISPPActivityRoot : public QIVInterface<QIVISPPActivityRoot> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPActivityRoot";

  virtual HRESULT GetProcessContainer(QIVBaseUnknown_var& container) const = 0;
};
using QIVISPPActivityRoot_var = QIVVar<QIVISPPActivityRoot>;
