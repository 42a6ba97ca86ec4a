#include "ZELBIWFeatureGroup.h"

#include <iterator>

#include "QIVDocument.h"
#include "ZELBIWFastener.h"

namespace {
const char* const KindNames[] = {"TopFastenerGroup", "TopLocatingPointGroup", "TopClampingPointGroup", "Group"};
}  // namespace

bool ZELBIWFeatureGroup::KindFromName(const QIVUnicodeString& name, Kind& kind) {
  for (int i = 0; i < static_cast<int>(std::size(KindNames)); ++i)
    if (name == KindNames[i]) {
      kind = static_cast<Kind>(i);
      return true;
    }
  return false;
}

const char* ZELBIWFeatureGroup::KindName(Kind kind) { return KindNames[kind]; }

HRESULT ZELBIWFeatureGroup::GetFasteners(QIVListValQIVBaseUnknown_var& fasteners, bool recursive) const {
  _children.ForEach([&](ZELBIWFeature* child) {
    if (QIVCastCache::Cast<ZELBIWFastener>(child)) {
      fasteners.Append(QIVBaseUnknown_var(child));
    } else if (auto* group = QIVCastCache::Cast<ZELBIWFeatureGroup>(child); group && recursive) {
      group->GetFasteners(fasteners, true);
    }
  });
  return S_OK;
}

HRESULT ZELBIWFeatureGroup::GetChildren(QIVListValQIVBaseUnknown_var& children, const char* interfaceName) const {
  children.RemoveAll();
  const QIVIID* iid = interfaceName ? QIVIID::Find(interfaceName) : nullptr;
  if (interfaceName && !iid) return S_OK;
  _children.ForEach([&](ZELBIWFeature* child) {
    QIVBaseUnknown_var handle(child);
    if (!iid) {
      children.Append(handle);
      return;
    }
    void* offered = nullptr;
    if (SUCCEEDED(child->QueryInterface(*iid, &offered))) {
      static_cast<QIVBaseUnknown*>(child)->Release();
      children.Append(handle);
    }
  });
  return S_OK;
}

HRESULT ZELBIWFeatureGroup::FindChildByName(const QIVUnicodeString& name, QIVBaseUnknown_var& child) const {
  return Answer(_childrenByName.First(name), child);
}

bool ZELBIWFeatureGroup::IsWithin(const ZELBIWFeature* feature) const {
  for (const QIVModelObject* step = this; step; step = step->Father())
    if (step == feature) return true;
  return false;
}

HRESULT ZELBIWFeatureGroup::AddChild(const QIVBaseUnknown_var& feature) {
  auto* child = As<ZELBIWFeature>(feature);
  if (!child || !Document() || child->Document() != Document() || IsWithin(child)) return E_INVALIDARG;
  if (auto* group = QIVCastCache::Cast<ZELBIWFeatureGroup>(child); group && group->IsTopGroup())
    return E_INVALIDARG;
  AttachChild(child);
  return S_OK;
}

void ZELBIWFeatureGroup::AttachChild(ZELBIWFeature* child) {
  QIVVar<ZELBIWFeature> keep(child);
  child->DetachFromFather();
  child->SetFather(this);
  _children.Add(child);
  _childrenByName.Add(child->GetAlias(), child);
}

HRESULT ZELBIWFeatureGroup::RemoveChild(const QIVBaseUnknown_var& feature) {
  auto* child = As<ZELBIWFeature>(feature);
  if (!child || child->Father() != this || !Document()) return E_INVALIDARG;
  return Document()->Delete(child);
}

void ZELBIWFeatureGroup::ChildRenamed(ZELBIWFeature* child, const QIVUnicodeString& previous) {
  _childrenByName.Rename(previous, child->GetAlias(), child);
}

void ZELBIWFeatureGroup::ChildLeaving(QIVModelObject* child) {
  auto* feature = QIVCastCache::Cast<ZELBIWFeature>(child);
  if (!feature || !_children.Remove(feature)) return;
  _childrenByName.Remove(feature->GetAlias(), feature);
}

void ZELBIWFeatureGroup::CollectOwned(std::vector<QIVModelObject*>& owned) const {
  _children.ForEach([&](ZELBIWFeature* child) {
    owned.push_back(child);
    child->CollectOwned(owned);
  });
}

void ZELBIWFeatureGroup::ClearLinks() {
  _children.Clear();
  _childrenByName.Clear();
  ZELBIWFeature::ClearLinks();
}

bool ZELBIWFeatureGroup::Offers(std::string_view interfaceName) const {
  if (interfaceName == ZELIBIWTopFastenerGroup::InterfaceName) return _kind == TopFastenerGroup;
  if (interfaceName == ZELIBIWTopLocatingPointGroup::InterfaceName) return _kind == TopLocatingPointGroup;
  if (interfaceName == ZELIBIWTopClampingPointGroup::InterfaceName) return _kind == TopClampingPointGroup;
  return ZELBIWFeature::Offers(interfaceName);
}
