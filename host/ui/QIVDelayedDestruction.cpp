#include "QIVDelayedDestruction.h"

#include <utility>

std::vector<QIVBaseUnknown*>& QIVDelayedDestruction::Objects() {
  static std::vector<QIVBaseUnknown*> objects;
  return objects;
}

void QIVDelayedDestruction::Queue(QIVBaseUnknown* object) {
  if (object) Objects().push_back(object);
}

void QIVDelayedDestruction::Flush() {
  while (!Objects().empty()) {
    std::vector<QIVBaseUnknown*> batch = std::exchange(Objects(), {});
    for (QIVBaseUnknown* object : batch) object->Release();
  }
}

std::size_t QIVDelayedDestruction::Pending() { return Objects().size(); }
