#include "QIVSPPProductIO.h"

#include "QIVSPPActivity.h"

QIVSPPProductIO::QIVSPPProductIO(QIVSPPActivity* activity, QIVSPPProductIODirection direction)
    : _direction(direction) {
  SetFather(activity);
  SetOwnerDocument(activity->Document());
}

HRESULT QIVSPPProductIO::GetProduct(QIVBaseUnknown_var& product) const {
  return Answer(_product, product);
}

HRESULT QIVSPPProductIO::SetProduct(const QIVBaseUnknown_var& product) {
  QIVModelObject* target = From(product);
  if (product && (!target || !target->IsProcessItem() || !Father() || !Father()->ShareDocumentWith(target)))
    return E_INVALIDARG;
  ReleaseLinks();
  _product = target;
  if (_product) _product->AddReferrer(this);
  return S_OK;
}

HRESULT QIVSPPProductIO::GetActivity(QIVBaseUnknown_var& activity) const { return GetSpecFather(activity); }

void QIVSPPProductIO::ReleaseLinks() {
  if (_product) std::exchange(_product, nullptr)->RemoveReferrer(this);
}

void QIVSPPProductIO::ForgetReference(QIVModelObject* target) {
  if (target == _product) ReleaseLinks();
}

void QIVSPPProductIO::ClearLinks() {
  _product = nullptr;
  QIVModelObject::ClearLinks();
}
