#include "ZELVekBIWProductCandidates.h"

#include "QIVIProductReference.h"

ZELVekBIWProductCandidates::ZELVekBIWProductCandidates(const QIVListValQIVBaseUnknown_var& products) {
  _products.reserve(products.Size());
  for (const QIVBaseUnknown_var& entry : products) {
    QIVIProduct_var product(entry);
    if (!product) continue;
    const int position = static_cast<int>(_products.size());
    // A product listed twice stays where it came first.
    if (!_positions.emplace(product.Identity(), position).second) continue;
    _byInstanceName[product->GetPrdInstanceName().str()].push_back(position);
    const QIVUnicodeString partNumber = product->GetPartNumber();
    if (!partNumber.IsEmpty()) _byPartNumber[partNumber.str()].push_back(position);
    _products.push_back(product);
  }
  _isRemoved.assign(_products.size(), false);
}

QIVIProduct_var ZELVekBIWProductCandidates::FirstRemaining(const Positions& index,
                                                          const QIVUnicodeString& key) const {
  auto found = index.find(key.str());
  if (found == index.end()) return {};
  // At most the record's own parts are skipped here.
  for (int position : found->second)
    if (!_isRemoved[position]) return _products[position];
  return {};
}

QIVIProduct_var ZELVekBIWProductCandidates::FirstByInstanceName(const QIVUnicodeString& name) const {
  return FirstRemaining(_byInstanceName, name);
}

QIVIProduct_var ZELVekBIWProductCandidates::FirstByPartNumber(const QIVUnicodeString& partNumber) const {
  if (partNumber.IsEmpty()) return {};
  return FirstRemaining(_byPartNumber, partNumber);
}

void ZELVekBIWProductCandidates::Remove(const QIVBaseUnknown_var& product) {
  auto found = _positions.find(product.Identity());
  if (found == _positions.end() || _isRemoved[found->second]) return;
  _isRemoved[found->second] = true;
  _removed.push_back(found->second);
}

void ZELVekBIWProductCandidates::RestoreAll() {
  for (int position : _removed) _isRemoved[position] = false;
  _removed.clear();
}

namespace {
QIVIProductReference_var ReferenceOf(const QIVIProduct_var& product) {
  QIVBaseUnknown_var reference;
  if (!product || FAILED(product->GetReferenceProduct(reference))) return {};
  return QIVIProductReference_var(reference);
}
}  // namespace

int ZELVekBIWProductCandidates::CountVisualisableInstances(const QIVIProduct_var& product) {
  QIVIProductReference_var reference = ReferenceOf(product);
  return reference ? reference->GetVisualisableInstanceCount() : 0;
}

int ZELVekBIWProductCandidates::VisualisableInstanceCount(const QIVIProduct_var& product) {
  QIVIProductReference_var reference = ReferenceOf(product);
  if (!reference) return 0;
  auto [entry, isNew] = _instanceCounts.emplace(reference.Identity(), 0);
  if (isNew) entry->second = reference->GetVisualisableInstanceCount();
  return entry->second;
}
