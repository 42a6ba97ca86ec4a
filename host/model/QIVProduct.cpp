#include "QIVProduct.h"

#include <algorithm>

#include "QIVDocument.h"
#include "QIVProductReference.h"

QIVProduct::~QIVProduct() { ReleaseLinks(); }

HRESULT QIVProduct::SetPrdInstanceName(const QIVUnicodeString& name) {
  const QIVUnicodeString previous = std::exchange(_instanceName, name);
  if (QIVProduct* father = FatherProduct()) father->_childrenByName.Rename(previous, name, this);
  if (Document()) Document()->ProductRenamed(this, previous);
  return S_OK;
}

QIVUnicodeString QIVProduct::GetPartNumber() const { return _reference ? _reference->GetPartNumber() : ""; }

HRESULT QIVProduct::GetReferenceProduct(QIVBaseUnknown_var& reference) const {
  return Answer(_reference, reference);
}

HRESULT QIVProduct::SetReferenceProduct(const QIVBaseUnknown_var& reference) {
  auto* target = As<QIVProductReference>(reference);
  if (reference && (!target || !Document() || target->Document() != Document())) return E_INVALIDARG;
  const QIVUnicodeString previous = GetPartNumber();
  if (_reference) _reference->RemoveReferrer(this);
  _reference = target;
  if (_reference) _reference->AddReferrer(this);
  if (QIVProduct* father = FatherProduct()) father->_childrenByPartNumber.Rename(previous, GetPartNumber(), this);
  return S_OK;
}

void QIVProduct::PartNumberChanged(const QIVUnicodeString& from) {
  if (QIVProduct* father = FatherProduct()) father->_childrenByPartNumber.Rename(from, GetPartNumber(), this);
}

QIVProduct* QIVProduct::FatherProduct() const { return QIVCastCache::Cast<QIVProduct>(Father()); }

HRESULT QIVProduct::GetChildren(QIVListValQIVBaseUnknown_var& children) const {
  children.RemoveAll();
  for (QIVProduct* child : _children) children.Append(QIVBaseUnknown_var(child));
  return S_OK;
}

HRESULT QIVProduct::GetFatherProduct(QIVBaseUnknown_var& father) const {
  return Answer(FatherProduct(), father);
}

HRESULT QIVProduct::AddChild(const QIVBaseUnknown_var& product) {
  auto* child = As<QIVProduct>(product);
  if (!child || !Document() || child->Document() != Document()) return E_INVALIDARG;
  for (const QIVProduct* step = this; step; step = step->FatherProduct())
    if (step == child) return E_INVALIDARG;
  AttachChild(child);
  return S_OK;
}

void QIVProduct::AttachChild(QIVProduct* child) {
  QIVVar<QIVProduct> keep(child);
  child->DetachFromFather();
  child->SetFather(this);
  _children.push_back(child);
  _childrenByName.Add(child->_instanceName, child);
  _childrenByPartNumber.Add(child->GetPartNumber(), child);
  if (Document()) Document()->ProductTreeChanged();
}

void QIVProduct::ChildLeaving(QIVModelObject* child) {
  auto* product = QIVCastCache::Cast<QIVProduct>(child);
  if (!product) return;
  _children.erase(std::remove(_children.begin(), _children.end(), product), _children.end());
  _childrenByName.Remove(product->_instanceName, product);
  _childrenByPartNumber.Remove(product->GetPartNumber(), product);
  if (Document()) Document()->ProductTreeChanged();
}

HRESULT QIVProduct::FindChildByInstanceName(const QIVUnicodeString& name, QIVBaseUnknown_var& child) const {
  return Answer(_childrenByName.First(name), child);
}

HRESULT QIVProduct::FindChildByPartNumber(const QIVUnicodeString& partNumber, QIVBaseUnknown_var& child) const {
  return Answer(_childrenByPartNumber.First(partNumber), child);
}

HRESULT QIVProduct::GetPosition(QIVMathTransformation& position) const {
  position = _position;
  return S_OK;
}

HRESULT QIVProduct::SetPosition(const QIVMathTransformation& position) {
  _position = position;
  return S_OK;
}

HRESULT QIVProduct::GetAbsolutePosition(QIVMathTransformation& position) const {
  position = _position;
  for (const QIVProduct* father = FatherProduct(); father; father = father->FatherProduct())
    position = father->_position * position;
  return S_OK;
}

void QIVProduct::CollectOwned(std::vector<QIVModelObject*>& owned) const {
  for (QIVProduct* child : _children) {
    owned.push_back(child);
    child->CollectOwned(owned);
  }
}

void QIVProduct::DetachFromFather() {
  if (!Father() && Document()) Document()->RootProductLeaving(this);
  QIVModelObject::DetachFromFather();
}

void QIVProduct::ReleaseLinks() {
  if (_reference) std::exchange(_reference, nullptr)->RemoveReferrer(this);
}

void QIVProduct::ForgetReference(QIVModelObject* target) {
  if (target != _reference) return;
  const QIVUnicodeString previous = GetPartNumber();
  _reference = nullptr;
  if (QIVProduct* father = FatherProduct()) father->_childrenByPartNumber.Remove(previous, this);
}

void QIVProduct::ClearLinks() {
  _reference = nullptr;
  _children.clear();
  _childrenByName.Clear();
  _childrenByPartNumber.Clear();
  QIVModelObject::ClearLinks();
}
