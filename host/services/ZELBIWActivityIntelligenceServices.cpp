#include "ZELBIWActivityIntelligenceServices.h"

#include "ZELBIWCycleTime.h"

HRESULT ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(const QIVBaseUnknown_var& activity) {
  return ZELBIWCycleTime::Update(activity);
}
