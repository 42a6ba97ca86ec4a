#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "QIVVar.h"

// A set of selected objects in the order they were added, usually path
// elements. An element goes in once: a second path through the same
// objects, or the same object again, is not added. Membership is indexed,
// so adding or testing is constant time whatever the size. A path must not
// change while it is in a set.
//
// Positions count from 1. InitElementList and NextElement walk the set;
// removing an element during the walk keeps the walk on the next one.
class QIVSO {
 public:
  QIVSO() = default;
  QIVSO(const QIVSO&) = delete;
  QIVSO& operator=(const QIVSO&) = delete;
  virtual ~QIVSO() = default;

  // False when the element is null or already in.
  bool AddElement(QIVBaseUnknown* element);
  // False when the element was not in.
  bool RemoveElement(QIVBaseUnknown* element);
  bool Contains(QIVBaseUnknown* element) const;
  void Empty();

  int GetSize() const { return static_cast<int>(_elements.size()); }
  bool IsEmpty() const { return _elements.empty(); }
  // The element at `position` (1..GetSize()); null out of range.
  QIVBaseUnknown_var GetElement(int position) const;
  const std::vector<QIVBaseUnknown_var>& Elements() const { return _elements; }

  void InitElementList() { _cursor = 0; }
  // The next element of the walk, null at the end.
  QIVBaseUnknown_var NextElement();

 private:
  // The objects an element stands for: a path's objects, or the object.
  using Key = std::vector<const void*>;
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  static Key KeyOf(QIVBaseUnknown* element);
  void Reindex(std::size_t from);

  std::vector<QIVBaseUnknown_var> _elements;
  std::unordered_map<Key, std::size_t, KeyHash> _positions;
  std::size_t _cursor = 0;
};

// The current selection of an editor: what the user picked last, filled by
// the agents that are clients of it and by the commands themselves.
class QIVCSO : public QIVSO {};

// The highlighted set of an editor: objects shown highlighted in the views.
class QIVHSO : public QIVSO {};
