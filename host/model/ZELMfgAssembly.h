#pragma once

#include "QIVIRedrawEvent.h"
#include "QIVModelObject.h"
#include "ZELIMfgAssembly.h"

// A manufactured assembly: links to its product parts and sub-assemblies.
class ZELMfgAssembly : public QIVModelObject, public ZELIMfgAssembly, public QIVIRedrawEvent {
 public:
  ~ZELMfgAssembly() override;

  const char* GetImplClassName() const override { return "ZELMfgAssembly"; }
  IndexKind GetIndexKind() const override { return IndexKind::MfgAssembly; }
  const char* GetKindName() const override { return "MfgAssembly"; }
  bool IsProcessItem() const override { return true; }

  QIVUnicodeString GetLabel() const override { return _label; }
  HRESULT SetLabel(const QIVUnicodeString& label) override;
  HRESULT AddPart(const QIVBaseUnknown_var& part) override;
  HRESULT RemovePart(const QIVBaseUnknown_var& part) override;
  HRESULT GetParts(QIVListValQIVBaseUnknown_var& parts) const override;
  HRESULT GetSubAssemblies(QIVListValQIVBaseUnknown_var& assemblies) const override;
  HRESULT Redraw() override;

  // Whether `assembly` is this one or lies among its sub-assemblies, at any
  // depth.
  bool Includes(const ZELMfgAssembly* assembly) const;

  void ReleaseLinks() override;
  void ForgetReference(QIVModelObject* target) override;
  void ClearLinks() override;

 private:
  QIVUnicodeString _label;
  QIVModelLinks _parts;
  QIVModelLinks _subAssemblies;
};
