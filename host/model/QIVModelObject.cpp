#include "QIVModelObject.h"

#include <utility>

#include "QIVDictionary.h"
#include "QIVDocument.h"
#include "QIVSPPItemLink.h"

HRESULT QIVModelObject::QueryInterface(const QIVIID& iid, void** ppv) {
  if (!ppv) return E_INVALIDARG;
  *ppv = nullptr;
  // The cast answers for the object's type; whether this object offers the
  // interface may depend on its state, so Offers is asked every time.
  if (void* found = iid.CastOf(this); found && Offers(iid.name)) {
    AddRef();
    *ppv = found;
    return S_OK;
  }
  const QIVDictionary& dictionary = QIVDictionary::Instance();
  if (!dictionary.HasExtension(iid.name)) return E_NOINTERFACE;
  for (const std::string& lateType : LateTypes()) {
    QIVBaseUnknown* extension = dictionary.CreateExtension(this, lateType, iid.name);
    if (!extension) continue;
    if (void* found = iid.CastOf(extension)) {
      *ppv = found;
      return S_OK;
    }
    extension->Release();
  }
  return E_NOINTERFACE;
}

bool QIVModelObject::Offers(std::string_view interfaceName) const {
  return interfaceName != QIVISPPItem::InterfaceName || IsProcessItem();
}

std::vector<std::string> QIVModelObject::LateTypes() const { return {IsA()}; }

QIVBaseUnknown_var QIVModelObject::GetDocument() const {
  return Handle(static_cast<QIVIDocument*>(_document));
}

HRESULT QIVModelObject::GetSpecFather(QIVBaseUnknown_var& father) const {
  return Answer(_father, father);
}

HRESULT QIVModelObject::RemoveComponent(const QIVBaseUnknown_var& component, const QIVBaseUnknown_var&) {
  QIVModelObject* child = From(component);
  if (!child || child->_father != this) return E_INVALIDARG;
  if (RemoveOwnedComponent(child)) return S_OK;
  if (_document && child->_document == _document) return _document->Delete(child);
  child->DetachFromFather();
  return S_OK;
}

bool QIVModelObject::RemoveOwnedComponent(QIVModelObject*) { return false; }

HRESULT QIVModelObject::GetReferencingObjects(QIVListValQIVBaseUnknown_var& referrers) const {
  referrers.RemoveAll();
  _referrers.ForEach([&](QIVModelObject* referrer) {
    referrers.Append(QIVBaseUnknown_var(referrer));
  });
  return S_OK;
}

HRESULT QIVModelObject::SetPLMID(const QIVUnicodeString& identifier) {
  _plmId.Set(identifier);
  return S_OK;
}

HRESULT QIVModelObject::GetProcessingActivities(QIVListValQIVBaseUnknown_var& activities, int mode) const {
  activities.RemoveAll();
  _referrers.ForEach([&](QIVModelObject* referrer) {
    auto* link = QIVCastCache::Cast<QIVSPPItemLink>(referrer);
    if (link && link->Father() && (mode == 0 || link->GetMode() == mode))
      activities.Append(QIVBaseUnknown_var(link->Father()));
  });
  return S_OK;
}

QIVBaseUnknown_var QIVModelObject::Handle(const QIVBaseUnknown* object) {
  return object ? QIVBaseUnknown_var(const_cast<QIVBaseUnknown*>(object)) : QIVBaseUnknown_var();
}

HRESULT QIVModelObject::Answer(const QIVBaseUnknown* object, QIVBaseUnknown_var& handle) {
  handle = Handle(object);
  return object ? S_OK : E_FAIL;
}

QIVModelObject* QIVModelObject::From(const QIVBaseUnknown_var& handle) { return As<QIVModelObject>(handle); }

bool QIVModelObject::ShareDocumentWith(QIVModelObject* other) {
  if (!other) return false;
  if (_document == other->_document) return _document != nullptr;
  if (!_document) return SUCCEEDED(other->_document->AdoptObject(this));
  if (!other->_document) return SUCCEEDED(_document->AdoptObject(other));
  return false;
}

void QIVModelObject::CollectOwned(std::vector<QIVModelObject*>&) const {}

void QIVModelObject::DetachFromFather() {
  if (QIVModelObject* father = std::exchange(_father, nullptr)) father->ChildLeaving(this);
}

void QIVModelObject::ChildLeaving(QIVModelObject*) {}

void QIVModelObject::ReleaseLinks() {}

void QIVModelObject::ForgetReference(QIVModelObject*) {}

void QIVModelObject::ClearLinks() {
  _referrers.Clear();
  _father = nullptr;
  _document = nullptr;
  _id = 0;
}

bool QIVModelLinks::Link(QIVModelObject* owner, QIVModelObject* target) {
  if (!_targets.Add(target)) return false;
  target->AddReferrer(owner);
  return true;
}

bool QIVModelLinks::Unlink(QIVModelObject* owner, QIVModelObject* target) {
  if (!_targets.Remove(target)) return false;
  target->RemoveReferrer(owner);
  return true;
}

void QIVModelLinks::UnlinkAll(QIVModelObject* owner) {
  _targets.ForEach([&](QIVModelObject* target) { target->RemoveReferrer(owner); });
  _targets.Clear();
}
