#include "QIVTPSDatum.h"

#include "QIVDocument.h"
#include "QIVProduct.h"

QIVTPSDatum::~QIVTPSDatum() { ReleaseLinks(); }

HRESULT QIVTPSDatum::SetName(const QIVUnicodeString& name) {
  const QIVUnicodeString previous = std::exchange(_name, name);
  if (Document()) Document()->DatumRenamed(this, previous);
  return S_OK;
}

HRESULT QIVTPSDatum::GetOwnerProduct(QIVBaseUnknown_var& product) const {
  return Answer(_owner, product);
}

HRESULT QIVTPSDatum::SetOwnerProduct(const QIVBaseUnknown_var& product) {
  auto* owner = As<QIVProduct>(product);
  if (product && (!owner || !Document() || owner->Document() != Document())) return E_INVALIDARG;
  ReleaseLinks();
  _owner = owner;
  if (_owner) _owner->AddReferrer(this);
  return S_OK;
}

void QIVTPSDatum::ReleaseLinks() {
  if (_owner) std::exchange(_owner, nullptr)->RemoveReferrer(this);
}

void QIVTPSDatum::ForgetReference(QIVModelObject* target) {
  if (target == _owner) _owner = nullptr;
}

void QIVTPSDatum::ClearLinks() {
  _owner = nullptr;
  QIVModelObject::ClearLinks();
}

bool QIVTPSDatum::Offers(std::string_view interfaceName) const {
  if (interfaceName == QIVITPSDatumSimple::InterfaceName) return !_target;
  if (interfaceName == QIVITPSDatumTarget::InterfaceName) return _target;
  return QIVModelObject::Offers(interfaceName);
}
