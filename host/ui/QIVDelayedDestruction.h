#pragma once

#include <cstddef>

#include "QIVBaseUnknown.h"

// Objects whose destruction was asked for while they may still be on the
// call stack (a dialog closing itself from its own callback). The
// dispatcher flushes the queue after each event. Each session has its own
// queue; what is still queued goes with the session.
class QIVDelayedDestruction {
 public:
  // Takes over one reference of `object`.
  static void Queue(QIVBaseUnknown* object);
  // Releases every queued reference, also those queued by the releases.
  static void Flush();
  static std::size_t Pending();
};
