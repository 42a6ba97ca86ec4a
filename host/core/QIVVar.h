#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

#include "QIVBaseUnknown.h"

// Counted handle to an interface of a component object. Building a handle
// from a pointer or handle of another interface queries that interface (the
// handle is empty when the object does not offer it); building it from the
// same interface (or a derived one) adds a reference. The reference is
// released when the handle is reset, reassigned or destroyed.
template <class I>
class QIVVar {
 public:
  using Interface = I;

  QIVVar() noexcept = default;
  QIVVar(std::nullptr_t) noexcept {}

  template <class J, std::enable_if_t<std::is_convertible_v<J*, I*>, int> = 0>
  QIVVar(J* object) : _p(object) {
    if (_p) _p->AddRef();
  }

  template <class J, std::enable_if_t<!std::is_convertible_v<J*, I*> &&
                                          std::is_convertible_v<J*, QIVBaseUnknown*>,
                                      int> = 0>
  QIVVar(J* object) : _p(Query(object)) {}

  QIVVar(const QIVVar& other) : QIVVar(other._p) {}
  QIVVar(QIVVar&& other) noexcept : _p(std::exchange(other._p, nullptr)) {}

  template <class J>
  QIVVar(const QIVVar<J>& other) : QIVVar(other.get()) {}

  template <class J, std::enable_if_t<std::is_convertible_v<J*, I*>, int> = 0>
  QIVVar(QIVVar<J>&& other) noexcept : _p(other.Detach()) {}

  ~QIVVar() { reset(); }

  QIVVar& operator=(const QIVVar& other) {
    QIVVar copy(other);
    swap(copy);
    return *this;
  }
  QIVVar& operator=(QIVVar&& other) noexcept {
    QIVVar moved(std::move(other));
    swap(moved);
    return *this;
  }
  QIVVar& operator=(std::nullptr_t) {
    reset();
    return *this;
  }

  // Takes over a reference the caller already owns (no AddRef).
  static QIVVar Adopt(I* object) {
    QIVVar handle;
    handle._p = object;
    return handle;
  }

  // Gives up the reference without releasing it.
  I* Detach() noexcept { return std::exchange(_p, nullptr); }

  void reset() {
    if (I* p = std::exchange(_p, nullptr)) p->Release();
  }
  void swap(QIVVar& other) noexcept { std::swap(_p, other._p); }

  I* get() const noexcept { return _p; }
  I* operator->() const noexcept { return _p; }
  I& operator*() const noexcept { return *_p; }
  explicit operator bool() const noexcept { return _p != nullptr; }
  bool operator!() const noexcept { return _p == nullptr; }
  bool IsNull() const noexcept { return _p == nullptr; }

  // The object's identity: its one QIVBaseUnknown part, whatever interface
  // the handle holds.
  QIVBaseUnknown* Identity() const noexcept { return _p ? static_cast<QIVBaseUnknown*>(_p) : nullptr; }

 private:
  template <class J>
  static I* Query(J* object) {
    if (!object) return nullptr;
    void* found = nullptr;
    if (FAILED(static_cast<QIVBaseUnknown*>(object)->QueryInterface(I::ClassId(), &found))) return nullptr;
    return static_cast<I*>(found);
  }

  I* _p = nullptr;
};

// Handles compare by object identity, so two handles on different interfaces
// of one object are equal.
template <class I, class J>
bool operator==(const QIVVar<I>& a, const QIVVar<J>& b) {
  return a.Identity() == b.Identity();
}
template <class I>
bool operator==(const QIVVar<I>& a, std::nullptr_t) {
  return a.IsNull();
}

// Creates an object and hands its first reference to a handle.
template <class T, class... Args>
QIVVar<T> QIVMake(Args&&... args) {
  return QIVVar<T>::Adopt(new T(std::forward<Args>(args)...));
}

using QIVBaseUnknown_var = QIVVar<QIVBaseUnknown>;

template <class I>
struct std::hash<QIVVar<I>> {
  std::size_t operator()(const QIVVar<I>& handle) const noexcept {
    return std::hash<const void*>()(handle.Identity());
  }
};
