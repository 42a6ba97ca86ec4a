#pragma once

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

#include "QIVModelObject.h"

// The document's objects by id, each held by its one owning reference. Ids
// are handed out densely from 1, so an object is found by indexing a vector;
// an id far above the others (a hand-written file) is kept in a hash map
// instead, so that it costs no memory for the ids below it. Walks go in id
// order.
class QIVObjectTable {
 public:
  QIVModelObject* Find(QIVObjectId id) const {
    if (id >= 0 && static_cast<std::size_t>(id) < _dense.size()) return _dense[id].get();
    if (_sparse.empty()) return nullptr;
    auto found = _sparse.find(id);
    return found == _sparse.end() ? nullptr : found->second.get();
  }

  // False when the id is taken.
  bool Insert(QIVObjectId id, QIVModelObject* object) {
    if (id < 0 || Find(id)) return false;
    ++_count;
    const std::size_t slot = static_cast<std::size_t>(id);
    // Growing by doubling keeps the vector within twice the ids' span and
    // the moves from the map to a few.
    if (slot >= _dense.size() && slot <= 2 * _count + 1024) Grow(std::max(slot + 1, 2 * _dense.size()));
    if (slot < _dense.size())
      _dense[slot] = QIVVar<QIVModelObject>(object);
    else
      _sparse.emplace(id, QIVVar<QIVModelObject>(object));
    return true;
  }

  // The owning reference, for the caller to drop when it sees fit.
  QIVVar<QIVModelObject> Erase(QIVObjectId id) {
    QIVVar<QIVModelObject> going;
    if (id >= 0 && static_cast<std::size_t>(id) < _dense.size()) {
      going = std::move(_dense[id]);
      _dense[id] = nullptr;
    } else if (auto found = _sparse.find(id); found != _sparse.end()) {
      going = std::move(found->second);
      _sparse.erase(found);
    }
    if (going) --_count;
    return going;
  }

  std::size_t Size() const { return _count; }

  template <class Visit>
  void ForEach(Visit&& visit) const {
    std::vector<std::pair<QIVObjectId, QIVModelObject*>> sparse;
    sparse.reserve(_sparse.size());
    for (const auto& [id, object] : _sparse) sparse.emplace_back(id, object.get());
    std::sort(sparse.begin(), sparse.end());
    auto next = sparse.begin();
    for (std::size_t id = 0; id < _dense.size(); ++id) {
      for (; next != sparse.end() && static_cast<std::size_t>(next->first) < id; ++next) visit(next->second);
      if (_dense[id]) visit(_dense[id].get());
    }
    for (; next != sparse.end(); ++next) visit(next->second);
  }

 private:
  // A file lists its objects in tree order, not id order, so an id read
  // early may lie beyond the vector: it waits in the map until the vector
  // grows over it.
  void Grow(std::size_t size) {
    _dense.resize(size);
    for (auto entry = _sparse.begin(); entry != _sparse.end();) {
      if (static_cast<std::size_t>(entry->first) >= size) {
        ++entry;
        continue;
      }
      _dense[entry->first] = std::move(entry->second);
      entry = _sparse.erase(entry);
    }
  }

  std::vector<QIVVar<QIVModelObject>> _dense;
  std::unordered_map<QIVObjectId, QIVVar<QIVModelObject>> _sparse;
  std::size_t _count = 0;
};
