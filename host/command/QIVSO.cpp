#include "QIVSO.h"

#include <functional>

#include "QIVPathElement.h"

std::size_t QIVSO::KeyHash::operator()(const Key& key) const {
  std::size_t hash = key.size();
  for (const void* object : key) hash = hash * 31 + std::hash<const void*>()(object);
  return hash;
}

QIVSO::Key QIVSO::KeyOf(QIVBaseUnknown* element) {
  Key key;
  if (auto* path = dynamic_cast<QIVPathElement*>(element)) {
    key.reserve(path->Objects().size());
    for (const QIVBaseUnknown_var& object : path->Objects()) key.push_back(object.Identity());
  } else {
    key.push_back(element);
  }
  return key;
}

bool QIVSO::AddElement(QIVBaseUnknown* element) {
  if (!element) return false;
  if (!_positions.emplace(KeyOf(element), _elements.size()).second) return false;
  _elements.emplace_back(element);
  return true;
}

bool QIVSO::RemoveElement(QIVBaseUnknown* element) {
  if (!element) return false;
  auto found = _positions.find(KeyOf(element));
  if (found == _positions.end()) return false;
  const std::size_t index = found->second;
  _positions.erase(found);
  _elements.erase(_elements.begin() + static_cast<long>(index));
  if (_cursor > index) --_cursor;
  Reindex(index);
  return true;
}

bool QIVSO::Contains(QIVBaseUnknown* element) const {
  return element && _positions.count(KeyOf(element)) != 0;
}

void QIVSO::Empty() {
  _elements.clear();
  _positions.clear();
  _cursor = 0;
}

QIVBaseUnknown_var QIVSO::GetElement(int position) const {
  if (position < 1 || position > GetSize()) return QIVBaseUnknown_var();
  return _elements[position - 1];
}

QIVBaseUnknown_var QIVSO::NextElement() {
  if (_cursor >= _elements.size()) return QIVBaseUnknown_var();
  return _elements[_cursor++];
}

void QIVSO::Reindex(std::size_t from) {
  for (std::size_t i = from; i < _elements.size(); ++i) _positions[KeyOf(_elements[i].get())] = i;
}
