#pragma once

#include "QIVVar.h"

// An announcement that activities changed, dispatched through a process
// root so that every view of the process refreshes.
struct QIVSPPActivityNotification {
  // Modification kinds.
  static constexpr int Created = 1;
  static constexpr int Deleted = 2;
  static constexpr int Modified = 3;

  int kind = Modified;
  QIVBaseUnknown_var object;
  QIVBaseUnknown_var secondObject;
};
