#include "QIVSPPItemLink.h"

#include "QIVSPPActivity.h"

QIVSPPItemLink::QIVSPPItemLink(QIVSPPActivity* activity, QIVModelObject* item, int mode)
    : _item(item), _mode(mode) {
  SetFather(activity);
  SetOwnerDocument(activity->Document());
  _item->AddReferrer(this);
}

HRESULT QIVSPPItemLink::GetItem(QIVBaseUnknown_var& item) const {
  return Answer(_item, item);
}

HRESULT QIVSPPItemLink::SetOptions(int first, int second) {
  _options[0] = first;
  _options[1] = second;
  return S_OK;
}

HRESULT QIVSPPItemLink::GetOptions(int& first, int& second) const {
  first = _options[0];
  second = _options[1];
  return S_OK;
}

void QIVSPPItemLink::ReleaseLinks() {
  if (_item) std::exchange(_item, nullptr)->RemoveReferrer(this);
}

void QIVSPPItemLink::ForgetReference(QIVModelObject* target) {
  if (target != _item) return;
  if (auto* activity = QIVCastCache::Cast<QIVSPPActivity>(Father())) activity->DropItemLink(this);
}

void QIVSPPItemLink::ClearLinks() {
  _item = nullptr;
  QIVModelObject::ClearLinks();
}
