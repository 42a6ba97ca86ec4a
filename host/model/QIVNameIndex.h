#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "QIVUnicodeString.h"

// Objects by name, each name keeping its objects in the order they got it.
// Empty names are not indexed: a freshly made fastener has none, and a
// hundred thousand of them under one key would make every rename slow.
//
// An index given the objects' name (`nameOf`) is built lazily: until the
// first lookup it only notes the objects in the order they got their names,
// so loading a body of a hundred thousand fasteners pays no hash insert for
// a name nobody asks for. Its callers report a rename or a removal while the
// object already bears the name it is indexed under (Rename's `to`,
// Remove's `name`). The map itself is made only when a name goes into it:
// most groups of a body are never asked for a child by name.
template <class T>
class QIVNameIndex {
 public:
  using NameOf = const QIVUnicodeString& (*)(T);

  QIVNameIndex() = default;
  explicit QIVNameIndex(NameOf nameOf) : _nameOf(nameOf), _built(false) {}

  void Add(const QIVUnicodeString& name, T object) {
    if (name.IsEmpty()) return;
    if (_built)
      Map()[name.str()].push_back(object);
    else
      _pending.push_back(object);
  }
  void Remove(const QIVUnicodeString& name, T object) {
    if (name.IsEmpty()) return;
    Build();
    if (!_byName) return;
    auto found = _byName->find(name.str());
    if (found == _byName->end()) return;
    std::vector<T>& objects = found->second;
    objects.erase(std::remove(objects.begin(), objects.end(), object), objects.end());
    if (objects.empty()) _byName->erase(found);
  }
  void Rename(const QIVUnicodeString& from, const QIVUnicodeString& to, T object) {
    if (!_built && !from.IsEmpty()) {
      // The build files the object under the name it bears now, `to`, in the
      // place it got `from`; the rename then moves it to the end of `to`.
      Build();
      Remove(to, object);
    } else {
      Remove(from, object);
    }
    Add(to, object);
  }
  T First(const QIVUnicodeString& name) const {
    const std::vector<T>& objects = All(name);
    return objects.empty() ? nullptr : objects.front();
  }
  const std::vector<T>& All(const QIVUnicodeString& name) const {
    static const std::vector<T> none;
    Build();
    if (!_byName) return none;
    auto found = _byName->find(name.str());
    return found == _byName->end() ? none : found->second;
  }
  void Clear() {
    _byName.reset();
    _pending.clear();
    _pending.shrink_to_fit();
    _built = !_nameOf;
  }

 private:
  using Names = std::unordered_map<std::string, std::vector<T>>;

  Names& Map() const {
    if (!_byName) _byName = std::make_unique<Names>();
    return *_byName;
  }
  void Build() const {
    if (_built) return;
    _built = true;
    if (_pending.empty()) return;
    Names& byName = Map();
    byName.reserve(_pending.size());
    for (T object : _pending) {
      const QIVUnicodeString& name = _nameOf(object);
      if (!name.IsEmpty()) byName[name.str()].push_back(object);
    }
    _pending.clear();
    _pending.shrink_to_fit();
  }

  NameOf _nameOf = nullptr;
  mutable bool _built = true;
  mutable std::vector<T> _pending;
  mutable std::unique_ptr<Names> _byName;
};
