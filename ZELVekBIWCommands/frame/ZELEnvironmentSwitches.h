#pragma once

#include "QIVUnicodeString.h"

// The two environment switches planners set to change how lists and
// warnings are shown. Only whether they are set matters, except where the
// value of "ADL_ODT_IN" names a directory.
namespace ZELEnvironmentSwitches {
// "ADL_ODT_IN" set: fastener lists keep the order in which they were
// gathered instead of being sorted by identifier.
bool KeepsGatheringOrder();
// The value of "ADL_ODT_IN" (empty when unset).
QIVUnicodeString GatheringDirectory();
// "ADL_ODT_OUT" set: collected warnings are not shown in a box.
bool SuppressesWarningWindow();
}  // namespace ZELEnvironmentSwitches

// Asks the application for its busy cursor before a long operation, when
// there is an application frame.
void ZELSetBusyCursor();
