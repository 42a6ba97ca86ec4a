#pragma once

#include "QIVVar.h"

// Planning computations on BIW activities.
class ZELBIWActivityIntelligenceServices {
 public:
  // Recomputes the cycle time of a fastening activity from its fasteners
  // and the station's rates, then the station's total (ZELBIWCycleTime).
  // E_INVALIDARG for an activity that is not a fastening one.
  static HRESULT UpdateCycleTimeForWelding(const QIVBaseUnknown_var& activity);
};
