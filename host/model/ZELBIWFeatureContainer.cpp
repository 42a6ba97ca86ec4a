#include "ZELBIWFeatureContainer.h"

#include <algorithm>

#include "QIVDictionary.h"
#include "QIVDocument.h"
#include "QIVProduct.h"
#include "ZELBIWCurveFastener.h"
#include "ZELBIWFeatureGroup.h"
#include "ZELBIWLocator.h"
#include "ZELBIWPointFastener.h"

namespace {

// Calls `visit` for every feature below `group`, depth first. A template,
// not a std::function, since a body's listing calls it for each of its
// 100,000 fasteners.
template <class Visit>
void VisitBelow(const ZELBIWFeatureGroup* group, Visit& visit) {
  group->ForEachChild([&visit](ZELBIWFeature* child) {
    visit(child);
    if (auto* sub = QIVCastCache::Cast<ZELBIWFeatureGroup>(child)) VisitBelow(sub, visit);
  });
}

template <class Visit>
void VisitFeatures(const std::vector<ZELBIWFeatureGroup*>& topGroups, Visit& visit) {
  for (ZELBIWFeatureGroup* top : topGroups) {
    visit(top);
    VisitBelow(top, visit);
  }
}

// The key of a set of parts: their sorted ids.
std::string PartSetKey(std::vector<QIVObjectId> ids) {
  std::sort(ids.begin(), ids.end());
  std::string key;
  for (QIVObjectId id : ids) key.append(std::to_string(id)).push_back(',');
  return key;
}

std::string PartSetKey(const QIVModelLinks& parts) {
  std::vector<QIVObjectId> ids;
  for (QIVModelObject* part : parts.Values()) ids.push_back(part->GetDocumentId());
  return PartSetKey(std::move(ids));
}

}  // namespace

ZELBIWFeatureGroup* ZELBIWFeatureContainer::TopGroupOfKind(int kind) const {
  for (ZELBIWFeatureGroup* top : _topGroups)
    if (top->GroupKind() == kind) return top;
  return nullptr;
}

HRESULT ZELBIWFeatureContainer::GetTop(int kind, QIVBaseUnknown_var& top) {
  ZELBIWFeatureGroup* group = TopGroupOfKind(kind);
  if (!group) {
    if (!Document()) return E_FAIL;
    auto created = QIVMake<ZELBIWFeatureGroup>(static_cast<ZELBIWFeatureGroup::Kind>(kind));
    Document()->Register(created.get());
    group = created.get();
    group->SetFather(this);
    _topGroups.push_back(group);
  }
  top = QIVBaseUnknown_var(group);
  return S_OK;
}

HRESULT ZELBIWFeatureContainer::GetTopGroup(QIVBaseUnknown_var& top) {
  return GetTop(ZELBIWFeatureGroup::TopFastenerGroup, top);
}

HRESULT ZELBIWFeatureContainer::GetTopLocatingPointGroup(QIVBaseUnknown_var& top) {
  return GetTop(ZELBIWFeatureGroup::TopLocatingPointGroup, top);
}

HRESULT ZELBIWFeatureContainer::GetTopClampingPointGroup(QIVBaseUnknown_var& top) {
  return GetTop(ZELBIWFeatureGroup::TopClampingPointGroup, top);
}

HRESULT ZELBIWFeatureContainer::CreateIn(const QIVBaseUnknown_var& father, QIVVar<ZELBIWFeature> feature,
                                         QIVBaseUnknown_var& created) {
  created = nullptr;
  auto* group = As<ZELBIWFeatureGroup>(father);
  if (!group || !Document() || group->Document() != Document()) return E_INVALIDARG;
  Document()->Register(feature.get());
  group->AttachChild(feature.get());
  created = feature;
  return S_OK;
}

HRESULT ZELBIWFeatureContainer::CreateGroup(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& group) {
  return CreateIn(father, QIVMake<ZELBIWFeatureGroup>(ZELBIWFeatureGroup::Group), group);
}

HRESULT ZELBIWFeatureContainer::CreatePointFastener(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& fastener) {
  return CreateIn(father, QIVMake<ZELBIWPointFastener>(), fastener);
}

HRESULT ZELBIWFeatureContainer::CreateCurveFastener(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& fastener) {
  return CreateIn(father, QIVMake<ZELBIWCurveFastener>(), fastener);
}

HRESULT ZELBIWFeatureContainer::CreateLocatingPoint(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& point) {
  return CreateIn(father, QIVMake<ZELBIWLocator>(false), point);
}

HRESULT ZELBIWFeatureContainer::CreateClampingPoint(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& point) {
  return CreateIn(father, QIVMake<ZELBIWLocator>(true), point);
}

HRESULT ZELBIWFeatureContainer::GetFeatures(QIVListValQIVBaseUnknown_var& features, const char* interfaceName) const {
  features.RemoveAll();
  const QIVIID* iid = interfaceName ? QIVIID::Find(interfaceName) : nullptr;
  if (interfaceName && !iid) return S_OK;
  // A feature whose class offers the interface is taken without a query (a
  // count taken and given back); the others are asked only when some
  // extension offers it.
  const bool extended = iid && QIVDictionary::Instance().HasExtension(iid->name);
  auto take = [&](ZELBIWFeature* feature) {
    if (!iid || feature->AnswersInterface(*iid)) {
      features.Append(QIVBaseUnknown_var(feature));
      return;
    }
    if (!extended) return;
    QIVBaseUnknown_var handle(feature);
    void* offered = nullptr;
    if (SUCCEEDED(feature->QueryInterface(*iid, &offered))) {
      static_cast<QIVBaseUnknown*>(feature)->Release();
      features.Append(handle);
    }
  };
  VisitFeatures(_topGroups, take);
  return S_OK;
}

int ZELBIWFeatureContainer::GetFeatureCount() const {
  int count = 0;
  auto counted = [&count](ZELBIWFeature*) { ++count; };
  VisitFeatures(_topGroups, counted);
  return count;
}

HRESULT ZELBIWFeatureContainer::AddTopGroup(const QIVBaseUnknown_var& group) {
  auto* top = As<ZELBIWFeatureGroup>(group);
  if (!top || !top->IsTopGroup() || top->Father() || !Document() || top->Document() != Document()) return E_INVALIDARG;
  if (TopGroupOfKind(top->GroupKind())) return E_FAIL;
  top->SetFather(this);
  _topGroups.push_back(top);
  return S_OK;
}

HRESULT ZELBIWFeatureContainer::Update() {
  ++_generation;
  return S_OK;
}

HRESULT ZELBIWFeatureContainer::SetRelatedParts(const QIVBaseUnknown_var& feature,
                                                const QIVListValQIVBaseUnknown_var& parts, bool link) {
  auto* target = As<ZELBIWFeature>(feature);
  if (!target || !Document() || target->Document() != Document()) return E_INVALIDARG;
  std::vector<QIVModelObject*> products;
  for (const QIVBaseUnknown_var& part : parts) {
    auto* product = As<QIVProduct>(part);
    if (!product || product->Document() != Document()) return E_INVALIDARG;
    products.push_back(product);
  }
  target->RelateParts(products, link);
  return S_OK;
}

HRESULT ZELBIWFeatureContainer::GetRelatedParts(const QIVBaseUnknown_var& feature,
                                                QIVListValQIVBaseUnknown_var& parts) const {
  parts.RemoveAll();
  auto* target = As<ZELBIWFeature>(feature);
  if (!target) return E_INVALIDARG;
  for (QIVModelObject* part : target->RelatedParts().Values()) parts.Append(QIVBaseUnknown_var(part));
  return S_OK;
}

HRESULT ZELBIWFeatureContainer::GetRelatedFeatures(const QIVBaseUnknown_var& part,
                                                   QIVListValQIVBaseUnknown_var& features) const {
  features.RemoveAll();
  QIVModelObject* product = From(part);
  if (!product) return E_INVALIDARG;
  product->Referrers().ForEach([&](QIVModelObject* referrer) {
    auto* feature = QIVCastCache::Cast<ZELBIWFeature>(referrer);
    if (feature && feature->RelatedParts().Contains(product)) features.Append(QIVBaseUnknown_var(feature));
  });
  return S_OK;
}

HRESULT ZELBIWFeatureContainer::FindFeaturesJoiningParts(const QIVListValQIVBaseUnknown_var& parts,
                                                         QIVListValQIVBaseUnknown_var& features) const {
  features.RemoveAll();
  std::vector<QIVObjectId> ids;
  for (const QIVBaseUnknown_var& part : parts) {
    QIVModelObject* product = From(part);
    if (!product || product->Document() != Document()) return S_OK;
    if (std::find(ids.begin(), ids.end(), product->GetDocumentId()) == ids.end())
      ids.push_back(product->GetDocumentId());
  }
  auto found = _byPartSet.find(PartSetKey(std::move(ids)));
  if (found == _byPartSet.end()) return S_OK;
  std::vector<ZELBIWFeature*> joining = found->second;
  std::sort(joining.begin(), joining.end(),
            [](const ZELBIWFeature* a, const ZELBIWFeature* b) { return a->GetDocumentId() < b->GetDocumentId(); });
  for (ZELBIWFeature* feature : joining) features.Append(QIVBaseUnknown_var(feature));
  return S_OK;
}

void ZELBIWFeatureContainer::IndexParts(ZELBIWFeature* feature) {
  if (feature->RelatedParts().Size() > 0) _byPartSet[PartSetKey(feature->RelatedParts())].push_back(feature);
}

void ZELBIWFeatureContainer::UnindexParts(ZELBIWFeature* feature) {
  if (feature->RelatedParts().Size() == 0) return;
  auto found = _byPartSet.find(PartSetKey(feature->RelatedParts()));
  if (found == _byPartSet.end()) return;
  std::vector<ZELBIWFeature*>& features = found->second;
  features.erase(std::remove(features.begin(), features.end(), feature), features.end());
  if (features.empty()) _byPartSet.erase(found);
}

void ZELBIWFeatureContainer::CollectOwned(std::vector<QIVModelObject*>& owned) const {
  auto collect = [&owned](ZELBIWFeature* feature) { owned.push_back(feature); };
  VisitFeatures(_topGroups, collect);
}

void ZELBIWFeatureContainer::ChildLeaving(QIVModelObject* child) {
  _topGroups.erase(std::remove(_topGroups.begin(), _topGroups.end(), child), _topGroups.end());
}

void ZELBIWFeatureContainer::ClearLinks() {
  _topGroups.clear();
  _byPartSet.clear();
  QIVModelObject::ClearLinks();
}
