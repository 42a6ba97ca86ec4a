#include "QIVDelayedDestruction.h"

#include <utility>
#include <vector>

#include "QIVSession.h"

namespace {
struct Queued : QIVSessionPart {
  std::vector<QIVBaseUnknown*> objects;
  ~Queued() override {
    while (!objects.empty())
      for (QIVBaseUnknown* object : std::exchange(objects, {})) object->Release();
  }
};

std::vector<QIVBaseUnknown*>& Objects() { return QIVSession::Current().Get<Queued>().objects; }
}  // namespace

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
