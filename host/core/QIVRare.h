#pragma once

#include <memory>

// A value most objects leave at its default (a PLM identifier, a plan type
// name, a fastener's manufacturing position): it costs one pointer until it
// is set, instead of its whole size in each of the hundred thousand
// features of a body.
template <class T>
class QIVRare {
 public:
  const T& Get() const {
    static const T none{};
    return _value ? *_value : none;
  }
  // The value to change in place, made on first use.
  T& Edit() {
    if (!_value) _value = std::make_unique<T>();
    return *_value;
  }
  // Setting the default frees the value.
  void Set(const T& value) {
    if (value == T{})
      _value.reset();
    else
      Edit() = value;
  }

 private:
  std::unique_ptr<T> _value;
};
