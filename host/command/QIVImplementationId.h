#pragma once

#include "QIVBaseUnknown.h"

// The identifier of a host implementation class used through handles
// (agents, state commands), so that a handle built from any other handle
// of the object finds the class, as it finds an interface.
template <class T>
const QIVIID& QIVImplementationId(const char* name) {
  static const QIVIID id{name, [](QIVBaseUnknown* object) -> void* { return dynamic_cast<T*>(object); }};
  return id;
}
