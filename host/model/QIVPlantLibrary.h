#pragma once

#include "QIVIPlantLibrary.h"
#include "QIVModelObject.h"

// The document's plant library: links to its entries.
class QIVPlantLibrary : public QIVModelObject, public QIVIPlantLibrary {
 public:
  ~QIVPlantLibrary() override;

  const char* GetImplClassName() const override { return "QIVPlantLibrary"; }
  IndexKind GetIndexKind() const override { return IndexKind::PlantLibrary; }
  const char* GetKindName() const override { return "PlantLibrary"; }

  HRESULT GetEntries(QIVListValQIVBaseUnknown_var& entries) const override;
  HRESULT AddEntry(const QIVBaseUnknown_var& entry) override;
  HRESULT RemoveEntry(const QIVBaseUnknown_var& entry) override;

  void ReleaseLinks() override;
  void ForgetReference(QIVModelObject* target) override;
  void ClearLinks() override;

 private:
  QIVModelLinks _entries;
};
