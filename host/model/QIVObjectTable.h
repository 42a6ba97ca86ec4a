#pragma once

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "QIVModelObject.h"

// The document's objects by id, each held by its one owning reference. Ids
// are handed out densely from 1, so an object is found by indexing a vector;
// an id far above the others (a hand-written file) is kept in a map instead,
// so that it costs no memory for the ids below it. Walks go in id order.
class QIVObjectTable {
 public:
  QIVModelObject* Find(QIVObjectId id) const {
    if (id >= 0 && static_cast<std::size_t>(id) < _dense.size()) return _dense[id].get();
    auto found = _sparse.find(id);
    return found == _sparse.end() ? nullptr : found->second.get();
  }

  // False when the id is taken.
  bool Insert(QIVObjectId id, QIVModelObject* object) {
    if (id < 0 || Find(id)) return false;
    if (static_cast<std::size_t>(id) < _dense.size() || static_cast<std::size_t>(id) <= 2 * _count + 1024) {
      if (static_cast<std::size_t>(id) >= _dense.size()) _dense.resize(static_cast<std::size_t>(id) + 1);
      _dense[id] = QIVVar<QIVModelObject>(object);
    } else {
      _sparse.emplace(id, QIVVar<QIVModelObject>(object));
    }
    ++_count;
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
    auto sparse = _sparse.begin();
    for (std::size_t id = 0; id < _dense.size(); ++id) {
      for (; sparse != _sparse.end() && static_cast<std::size_t>(sparse->first) < id; ++sparse)
        visit(sparse->second.get());
      if (_dense[id]) visit(_dense[id].get());
    }
    for (; sparse != _sparse.end(); ++sparse) visit(sparse->second.get());
  }

 private:
  std::vector<QIVVar<QIVModelObject>> _dense;
  std::map<QIVObjectId, QIVVar<QIVModelObject>> _sparse;
  std::size_t _count = 0;
};
