#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

#include "QIVPointerMap.h"

// An insertion-ordered set of pointers with constant-time membership and
// removal: the model's lists of children, items and referrers can grow to
// the 100,000 fasteners of a body, and removing from them one by one must
// not cost their length each time.
//
// Most lists stay small (a feature's referrers, the parts a weld joins), and
// a body holds hundreds of thousands of them, so a small list is only its
// values: it searches linearly and closes the gap a removal leaves. Once it
// grows past IndexFrom it builds its hash index on the heap; removed slots
// are then left empty and compacted once they outnumber the live ones.
template <class T>
class QIVIndexedList {
 public:
  // False when the value is already there.
  bool Add(T value) {
    if (!value || Contains(value)) return false;
    _slots.push_back(value);
    if (_index)
      _index->Set(value, _slots.size() - 1);
    else if (_slots.size() > IndexFrom)
      Reindex();
    return true;
  }

  bool Remove(T value) {
    const std::size_t slot = Find(value);
    if (slot == npos) return false;
    if (!_index) {
      _slots.erase(_slots.begin() + static_cast<std::ptrdiff_t>(slot));
      return true;
    }
    _slots[slot] = nullptr;
    _index->Erase(value);
    if (_slots.size() - _index->Size() > _index->Size()) Compact();
    return true;
  }

  bool Contains(T value) const { return value && Find(value) != npos; }
  int Size() const { return static_cast<int>(_index ? _index->Size() : _slots.size()); }
  bool IsEmpty() const { return Size() == 0; }

  template <class F>
  void ForEach(F&& visit) const {
    for (T value : _slots)
      if (value) visit(value);
  }
  std::vector<T> Values() const {
    if (!_index) return _slots;
    std::vector<T> values;
    values.reserve(_index->Size());
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
    _index.reset();
  }

 private:
  static constexpr std::size_t IndexFrom = 16;
  static constexpr std::size_t npos = QIVPointerMap<T>::npos;

  std::size_t Find(T value) const {
    if (_index) return _index->Find(value);
    const auto found = std::find(_slots.begin(), _slots.end(), value);
    return found == _slots.end() ? npos : static_cast<std::size_t>(found - _slots.begin());
  }
  void Compact() {
    std::vector<T> live = Values();
    _slots.swap(live);
    Reindex();
  }
  // Indexes the slots when there are more than IndexFrom of them; a list
  // compacted back to a few values searches linearly again.
  void Reindex() {
    _index.reset();
    if (_slots.size() <= IndexFrom) return;
    _index = std::make_unique<QIVPointerMap<T>>();
    _index->Reserve(_slots.size());
    for (std::size_t slot = 0; slot < _slots.size(); ++slot)
      if (_slots[slot]) _index->Set(_slots[slot], slot);
  }

  std::vector<T> _slots;
  std::unique_ptr<QIVPointerMap<T>> _index;
};
