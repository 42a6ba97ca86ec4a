#pragma once

#include <algorithm>
#include <vector>

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// A list of values counted from 1, as the host hands lists to its callers.
// Positions out of range are refused (Locate answers 0, removal does
// nothing). Used for handle lists, text lists and the raw collections.
template <class T>
class QIVListVal {
 public:
  using value_type = T;
  using iterator = typename std::vector<T>::iterator;
  using const_iterator = typename std::vector<T>::const_iterator;

  QIVListVal() = default;
  QIVListVal(std::initializer_list<T> values) : _items(values) {}

  int Size() const { return static_cast<int>(_items.size()); }
  bool IsEmpty() const { return _items.empty(); }

  void Append(const T& value) { _items.push_back(value); }
  void Append(T&& value) { _items.push_back(std::move(value)); }
  void Append(const QIVListVal& other) { _items.insert(_items.end(), other._items.begin(), other._items.end()); }
  // Inserts so that the value stands at `position` (1..Size()+1).
  void InsertAt(int position, const T& value) {
    if (position < 1 || position > Size() + 1) return;
    _items.insert(_items.begin() + (position - 1), value);
  }

  T& operator[](int position) { return _items[position - 1]; }
  const T& operator[](int position) const { return _items[position - 1]; }

  // Position of the first equal value, 0 when absent.
  int Locate(const T& value, int from = 1) const {
    for (int i = std::max(from, 1); i <= Size(); ++i)
      if (_items[i - 1] == value) return i;
    return 0;
  }
  bool Contains(const T& value) const { return Locate(value) != 0; }

  void RemovePosition(int position) {
    if (position >= 1 && position <= Size()) _items.erase(_items.begin() + (position - 1));
  }
  // Removes the first equal value; answers whether one was removed.
  bool RemoveValue(const T& value) {
    const int position = Locate(value);
    RemovePosition(position);
    return position != 0;
  }
  void RemoveAll() { _items.clear(); }
  void Swap(int a, int b) { std::swap((*this)[a], (*this)[b]); }
  void Reserve(int count) { _items.reserve(count); }

  iterator begin() { return _items.begin(); }
  iterator end() { return _items.end(); }
  const_iterator begin() const { return _items.begin(); }
  const_iterator end() const { return _items.end(); }

  std::vector<T>& Items() { return _items; }
  const std::vector<T>& Items() const { return _items; }

  friend bool operator==(const QIVListVal& a, const QIVListVal& b) { return a._items == b._items; }

 private:
  std::vector<T> _items;
};

using QIVListValQIVBaseUnknown_var = QIVListVal<QIVBaseUnknown_var>;
using QIVListValQIVUnicodeString = QIVListVal<QIVUnicodeString>;

// Raw collections of plain values, counted from 1 as the lists.
using QIVRawCollPV = QIVListVal<void*>;
using QIVRawCollint = QIVListVal<int>;
using QIVRawColldouble = QIVListVal<double>;

// A sequence of raw object pointers, counted from 0, as the fastener
// services return it: every entry holds one reference, which the caller
// releases exactly once.
using _SEQUENCE_QIVBaseUnknown_ptr = std::vector<QIVBaseUnknown*>;

// Releases every entry of a raw sequence and empties it; for callers that
// do not consume the entries one by one.
inline void QIVReleaseSequence(_SEQUENCE_QIVBaseUnknown_ptr& sequence) {
  for (QIVBaseUnknown*& entry : sequence)
    if (entry) std::exchange(entry, nullptr)->Release();
  sequence.clear();
}
