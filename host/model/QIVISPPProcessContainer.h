#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// The document's container of process roots.
class QIVISPPProcessContainer : public QIVInterface<QIVISPPProcessContainer> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPProcessContainer";

  // The process roots in order; the first is the document's process.
  virtual QIVListValQIVBaseUnknown_var GetProcesses() const = 0;
  // A new root of type "Process" with that name.
  virtual HRESULT CreateProcess(const QIVUnicodeString& name, QIVBaseUnknown_var& process) = 0;
  // Makes an activity of the document without a father a process root.
  virtual HRESULT AddProcess(const QIVBaseUnknown_var& activity) = 0;
  // Deletes a root with everything below it.
  virtual HRESULT RemoveProcess(const QIVBaseUnknown_var& process) = 0;
};
using QIVISPPProcessContainer_var = QIVVar<QIVISPPProcessContainer>;
