#pragma once

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "QIVUnicodeString.h"

// Objects by name, each name keeping its objects in the order they got it.
// Empty names are not indexed: a freshly made fastener has none, and a
// hundred thousand of them under one key would make every rename slow.
template <class T>
class QIVNameIndex {
 public:
  void Add(const QIVUnicodeString& name, T object) {
    if (!name.IsEmpty()) _byName[name.str()].push_back(object);
  }
  void Remove(const QIVUnicodeString& name, T object) {
    if (name.IsEmpty()) return;
    auto found = _byName.find(name.str());
    if (found == _byName.end()) return;
    std::vector<T>& objects = found->second;
    objects.erase(std::remove(objects.begin(), objects.end(), object), objects.end());
    if (objects.empty()) _byName.erase(found);
  }
  void Rename(const QIVUnicodeString& from, const QIVUnicodeString& to, T object) {
    Remove(from, object);
    Add(to, object);
  }
  T First(const QIVUnicodeString& name) const {
    auto found = _byName.find(name.str());
    return found == _byName.end() ? nullptr : found->second.front();
  }
  const std::vector<T>& All(const QIVUnicodeString& name) const {
    static const std::vector<T> none;
    auto found = _byName.find(name.str());
    return found == _byName.end() ? none : found->second;
  }
  void Clear() { _byName.clear(); }

 private:
  std::unordered_map<std::string, std::vector<T>> _byName;
};
