#pragma once

#include "QIVIProductReference.h"
#include <vector>

#include "QIVModelObject.h"

class QIVProduct;

// A product reference; its instances are the products linking to it (its
// referrers), visualisable when they stand in the product tree.
class QIVProductReference : public QIVModelObject, public QIVIProductReference {
 public:
  const char* GetImplClassName() const override { return "QIVProductReference"; }
  IndexKind GetIndexKind() const override { return IndexKind::ProductReference; }
  const char* GetKindName() const override { return "ProductReference"; }

  QIVUnicodeString GetPartNumber() const override { return _partNumber; }
  HRESULT SetPartNumber(const QIVUnicodeString& partNumber) override;
  HRESULT GetVisualisableInstances(QIVListValQIVBaseUnknown_var& instances) const override;
  int GetVisualisableInstanceCount() const override;

  std::vector<QIVProduct*> Instances() const;

 private:
  QIVUnicodeString _partNumber;
};
