#include "QIVProductReference.h"

#include "QIVDocument.h"
#include "QIVProduct.h"

HRESULT QIVProductReference::SetPartNumber(const QIVUnicodeString& partNumber) {
  if (partNumber == _partNumber) return S_OK;
  if (Document() && !Document()->ReferenceRenumbered(this, _partNumber, partNumber)) return E_FAIL;
  const QIVUnicodeString previous = std::exchange(_partNumber, partNumber);
  for (QIVProduct* instance : Instances()) instance->PartNumberChanged(previous);
  return S_OK;
}

std::vector<QIVProduct*> QIVProductReference::Instances() const {
  std::vector<QIVProduct*> instances;
  Referrers().ForEach([&](QIVModelObject* referrer) {
    if (auto* product = QIVCastCache::Cast<QIVProduct>(referrer)) instances.push_back(product);
  });
  return instances;
}

HRESULT QIVProductReference::GetVisualisableInstances(QIVListValQIVBaseUnknown_var& instances) const {
  instances.RemoveAll();
  for (QIVProduct* instance : Instances())
    if (Document() && Document()->IsInProductTree(instance)) instances.Append(QIVBaseUnknown_var(instance));
  return S_OK;
}

int QIVProductReference::GetVisualisableInstanceCount() const {
  int count = 0;
  for (QIVProduct* instance : Instances())
    if (Document() && Document()->IsInProductTree(instance)) ++count;
  return count;
}
