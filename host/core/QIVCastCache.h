#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "QIVBaseUnknown.h"

// Remembers where an interface cast found its interface on objects of one
// layout, so that a query repeated on objects of a known layout costs a
// table lookup instead of a dynamic_cast through the whole hierarchy.
//
// A layout is told by the vtable pointer of the object's QIVBaseUnknown
// part, not by typeid: while a base part is being built or destroyed the
// object has that base's type without its layout, and only the vtable
// pointer tells the two apart. Within one layout the interface stands at a
// fixed distance from the QIVBaseUnknown part, virtual bases included, so
// the cache keeps that distance, or that the cast found nothing.
//
// Casts must therefore depend on the object's type alone; whatever depends
// on its state is checked by the caller on every query. Vtables live as
// long as the program (modules are linked in, never unloaded), and the
// host runs single-threaded, so the table is neither purged nor locked.
class QIVCastCache {
 public:
  using CastFunction = void* (*)(QIVBaseUnknown* object);

  static QIVCastCache& Instance();

  // What cast(object) answers.
  void* CastOf(CastFunction cast, QIVBaseUnknown* object);
  // What dynamic_cast<T*>(object) answers.
  template <class T>
  static T* Cast(QIVBaseUnknown* object) {
    return static_cast<T*>(Instance().CastOf(&DynamicCast<T>, object));
  }

  // Pairs of layout and cast remembered.
  std::size_t Size() const { return _used; }

 private:
  struct Entry {
    const void* layout = nullptr;
    CastFunction cast = nullptr;
    std::intptr_t offset = 0;
    bool found = false;
  };

  template <class T>
  static void* DynamicCast(QIVBaseUnknown* object) {
    return dynamic_cast<T*>(object);
  }
  static const void* LayoutOf(const QIVBaseUnknown* object);
  // The slot holding the pair, or the empty slot where it belongs.
  std::size_t Slot(const void* layout, CastFunction cast) const;
  void Remember(const void* layout, CastFunction cast, QIVBaseUnknown* object, void* answer);
  void Grow();

  std::vector<Entry> _entries = std::vector<Entry>(256);
  std::size_t _used = 0;
};
