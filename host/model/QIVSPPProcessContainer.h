#pragma once

#include <vector>

#include "QIVISPPProcessContainer.h"
#include "QIVModelObject.h"
#include "ZELIMHIDocInfo.h"

class QIVSPPActivity;

// The document's container of process roots.
class QIVSPPProcessContainer : public QIVModelObject, public QIVISPPProcessContainer, public ZELIMHIDocInfo {
 public:
  const char* GetImplClassName() const override { return "QIVSPPProcessContainer"; }
  IndexKind GetIndexKind() const override { return IndexKind::ProcessContainer; }
  const char* GetKindName() const override { return "ProcessContainer"; }

  QIVListValQIVBaseUnknown_var GetProcesses() const override;
  HRESULT CreateProcess(const QIVUnicodeString& name, QIVBaseUnknown_var& process) override;
  HRESULT AddProcess(const QIVBaseUnknown_var& activity) override;
  HRESULT RemoveProcess(const QIVBaseUnknown_var& process) override;

  const std::vector<QIVSPPActivity*>& Roots() const { return _roots; }

  bool IsPartialReadOnly() const override { return _partialReadOnly; }
  HRESULT SetPartialReadOnly(bool partialReadOnly) override {
    _partialReadOnly = partialReadOnly;
    return S_OK;
  }

  void CollectOwned(std::vector<QIVModelObject*>& owned) const override;
  void ClearLinks() override;

 protected:
  void ChildLeaving(QIVModelObject* child) override;

 private:
  std::vector<QIVSPPActivity*> _roots;
  bool _partialReadOnly = false;
};
