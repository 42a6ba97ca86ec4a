#include "ZELBIWFeature.h"

#include "QIVDocument.h"
#include "QIVSPPItemLink.h"
#include "QIVSession.h"
#include "QIVTranscript.h"
#include "ZELBIWFeatureContainer.h"
#include "ZELBIWFeatureGroup.h"

namespace {
ZELBIWFeatureContainer* ContainerOf(const ZELBIWFeature* feature) {
  return feature->Document() ? feature->Document()->FeatureContainerObject() : nullptr;
}
}  // namespace

ZELBIWFeature::~ZELBIWFeature() { _relatedParts.UnlinkAll(this); }

HRESULT ZELBIWFeature::SetAlias(const QIVUnicodeString& alias) {
  const QIVUnicodeString previous = std::exchange(_alias, alias);
  if (auto* group = QIVCastCache::Cast<ZELBIWFeatureGroup>(Father())) group->ChildRenamed(this, previous);
  if (Document()) Document()->FeatureRenamed(this, previous);
  return S_OK;
}

HRESULT ZELBIWFeature::GetAssignedActivities(QIVListValQIVBaseUnknown_var& activities) const {
  return GetProcessingActivities(activities, 0);
}

int ZELBIWFeature::GetNumberOfAssignments() const {
  int count = 0;
  Referrers().ForEach([&](QIVModelObject* referrer) {
    if (QIVCastCache::Cast<QIVSPPItemLink>(referrer) && referrer->Father()) ++count;
  });
  return count;
}

HRESULT ZELBIWFeature::StoreColor(long rgb) {
  if (rgb < -1 || rgb > 0xFFFFFF) return E_INVALIDARG;
  _color = rgb;
  return S_OK;
}

HRESULT ZELBIWFeature::SetGraphicRepresentation(const QIVUnicodeString& path) {
  _graphicRepresentation.Set(path);
  return S_OK;
}

HRESULT ZELBIWFeature::SetPlanTypeName(const QIVUnicodeString& name) {
  _planTypeName.Set(name);
  return S_OK;
}

HRESULT ZELBIWFeature::Dispatch(const QIVModify& event) {
  QIVSession::Current().RaiseModelEvent({QIVModelEvent::Kind::Modified, event.object ? event.object : Handle(this),
                                         "feature modified " + QIVTranscript::Quote(_alias.view())});
  return S_OK;
}

void ZELBIWFeature::RelateParts(const std::vector<QIVModelObject*>& parts, bool link) {
  ZELBIWFeatureContainer* container = ContainerOf(this);
  if (container) container->UnindexParts(this);
  for (QIVModelObject* part : parts) link ? _relatedParts.Link(this, part) : _relatedParts.Unlink(this, part);
  if (container) container->IndexParts(this);
}

void ZELBIWFeature::ReleaseLinks() {
  if (ZELBIWFeatureContainer* container = ContainerOf(this)) container->UnindexParts(this);
  _relatedParts.UnlinkAll(this);
}

void ZELBIWFeature::ForgetReference(QIVModelObject* target) {
  if (_relatedParts.Contains(target)) RelateParts({target}, false);
}

void ZELBIWFeature::ClearLinks() {
  _relatedParts.Clear();
  QIVModelObject::ClearLinks();
}
