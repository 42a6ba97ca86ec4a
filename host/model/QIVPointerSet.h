#pragma once

#include <cstddef>

#include "QIVPointerMap.h"

// A set of non-null pointers in one open-addressed array (see
// QIVPointerMap): the dialogs gather the identities of lists of up to the
// 100,000 fasteners of a body on every refill, and a hash node each cost an
// allocation and a free per fastener.
template <class T>
class QIVPointerSet {
 public:
  // True when the pointer was not there yet.
  bool insert(T pointer) {
    if (count(pointer)) return false;
    _map.Set(pointer, 0);
    return true;
  }
  std::size_t count(T pointer) const { return pointer && _map.Find(pointer) != QIVPointerMap<T>::npos; }
  void reserve(std::size_t size) { _map.Reserve(size); }
  void clear() { _map.Clear(); }

 private:
  QIVPointerMap<T> _map;
};
