#include "QIVPathElement.h"

#include <algorithm>
#include <functional>

#include "QIVDictionary.h"

QIVPathElement::QIVPathElement(QIVBaseUnknown* leaf) { AddChildElement(leaf); }

QIVPathElement::QIVPathElement(std::vector<QIVBaseUnknown_var> rootToLeaf) : _objects(std::move(rootToLeaf)) {
  std::erase_if(_objects, [](const QIVBaseUnknown_var& object) { return object.IsNull(); });
}

QIVBaseUnknown_var QIVPathElement::operator[](int position) const {
  if (position < 0 || position >= GetSize()) return QIVBaseUnknown_var();
  return _objects[position];
}

QIVBaseUnknown_var QIVPathElement::GetLeaf() const {
  return _objects.empty() ? QIVBaseUnknown_var() : _objects.back();
}

QIVBaseUnknown_var QIVPathElement::GetRoot() const {
  return _objects.empty() ? QIVBaseUnknown_var() : _objects.front();
}

void QIVPathElement::AddChildElement(QIVBaseUnknown* object) {
  if (object) _objects.emplace_back(object);
}

void QIVPathElement::AddFatherElement(QIVBaseUnknown* object) {
  if (!object) return;
  _objects.insert(_objects.begin(), QIVBaseUnknown_var(object));
  if (_cursor >= 0) ++_cursor;
}

void QIVPathElement::InitToLeafElement() { _cursor = GetSize() - 1; }

void QIVPathElement::InitToTopElement() { _cursor = 0; }

QIVBaseUnknown_var QIVPathElement::NextFatherElement() {
  if (_cursor < 0 || _cursor >= GetSize()) return QIVBaseUnknown_var();
  return _objects[_cursor--];
}

QIVBaseUnknown_var QIVPathElement::NextChildElement() {
  if (_cursor < 0 || _cursor >= GetSize()) return QIVBaseUnknown_var();
  return _objects[_cursor++];
}

QIVBaseUnknown_var QIVPathElement::FindFromLeaf(const QIVIID& iid) const {
  for (auto it = _objects.rbegin(); it != _objects.rend(); ++it)
    if (QIVOffersInterface(it->get(), iid)) return *it;
  return QIVBaseUnknown_var();
}

bool QIVOffersInterface(QIVBaseUnknown* object, const QIVIID& iid) {
  if (!object) return false;
  if (object->AnswersInterface(iid)) return true;
  const QIVDictionary& dictionary = QIVDictionary::Instance();
  if (!dictionary.HasExtension(iid.name)) return false;
  QIVBaseUnknown* extension = dictionary.CreateExtension(object, object->IsA(), iid.name);
  if (!extension) return false;
  const bool offers = !iid.cast || iid.CastOf(extension);
  extension->Release();
  return offers;
}

bool QIVPathElement::SameObjects(const QIVPathElement& other) const { return _objects == other._objects; }

std::size_t QIVPathElement::Hash() const {
  std::size_t hash = _objects.size();
  for (const QIVBaseUnknown_var& object : _objects)
    hash = hash * 31 + std::hash<const void*>()(object.Identity());
  return hash;
}

std::string QIVPathElement::Format() const {
  std::string text;
  for (const QIVBaseUnknown_var& object : _objects) {
    if (!text.empty()) text += '/';
    text += object->GetImplClassName();
  }
  return text;
}
