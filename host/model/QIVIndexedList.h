#pragma once

#include <cstddef>
#include <vector>

#include "QIVPointerMap.h"

// An insertion-ordered set of pointers with constant-time membership and
// removal: the model's lists of children, items and referrers can grow to
// the 100,000 fasteners of a body, and removing from them one by one must
// not cost their length each time. Removed slots are left empty and
// compacted once they outnumber the live ones; small lists search linearly
// and build their hash index only when they grow.
template <class T>
class QIVIndexedList {
 public:
  // False when the value is already there.
  bool Add(T value) {
    if (!value || Contains(value)) return false;
    _slots.push_back(value);
    ++_live;
    if (!_index.IsEmpty())
      _index.Set(value, _slots.size() - 1);
    else if (_slots.size() > IndexFrom)
      Reindex();
    return true;
  }

  bool Remove(T value) {
    const std::size_t slot = Find(value);
    if (slot == npos) return false;
    _slots[slot] = nullptr;
    --_live;
    if (!_index.IsEmpty()) _index.Erase(value);
    if (_slots.size() - _live > _live && _slots.size() > IndexFrom) Compact();
    return true;
  }

  bool Contains(T value) const { return value && Find(value) != npos; }
  int Size() const { return static_cast<int>(_live); }
  bool IsEmpty() const { return _live == 0; }

  template <class F>
  void ForEach(F&& visit) const {
    for (T value : _slots)
      if (value) visit(value);
  }
  std::vector<T> Values() const {
    std::vector<T> values;
    values.reserve(_live);
    ForEach([&](T value) { values.push_back(value); });
    return values;
  }
  T First() const {
    for (T value : _slots)
      if (value) return value;
    return nullptr;
  }
  void Clear() {
    _slots.clear();
    _index.Clear();
    _live = 0;
  }

 private:
  static constexpr std::size_t IndexFrom = 16;
  static constexpr std::size_t npos = QIVPointerMap<T>::npos;

  std::size_t Find(T value) const {
    if (!_index.IsEmpty()) return _index.Find(value);
    for (std::size_t slot = 0; slot < _slots.size(); ++slot)
      if (_slots[slot] == value) return slot;
    return npos;
  }
  void Compact() {
    std::vector<T> live = Values();
    _slots.swap(live);
    Reindex();
  }
  void Reindex() {
    _index.Clear();
    if (_slots.size() <= IndexFrom) return;
    _index.Reserve(_slots.size());
    for (std::size_t slot = 0; slot < _slots.size(); ++slot)
      if (_slots[slot]) _index.Set(_slots[slot], slot);
  }

  std::vector<T> _slots;
  QIVPointerMap<T> _index;
  std::size_t _live = 0;
};
