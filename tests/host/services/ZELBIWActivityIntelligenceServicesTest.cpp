#include "ZELBIWActivityIntelligenceServices.h"

#include <gtest/gtest.h>

#include "../model/ModelTestDocument.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivityStation.h"

TEST(ZELBIWActivityIntelligenceServicesTest, CycleTimeFollowsEachChangeOfTheActivitysFasteners) {
  ModelTestDocument model;
  ZELIBIWActivityStation_var(model.station1)->SetProductExitRate(40.0);
  ZELIBIWActivityStation_var(model.station1)->SetNumberOfSpecifiedPointFasteners(45.0);
  double seconds = -1.0;

  const QIVListValQIVBaseUnknown_var welds{model.w1, model.w2, model.w3};
  ZELFastenerServices::AssignListOfWelds(&welds, model.welding, nullptr, 0);
  EXPECT_EQ(ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(model.welding), S_OK);
  QIVISPPActivity_var(model.welding)->GetCycleTime(seconds);
  // Takt 3600 / 40 = 90 s shared by 45 specified welds: 2 s a weld.
  EXPECT_DOUBLE_EQ(seconds, 3 * 2.0);

  ZELFastenerServices::UnassignListOfWelds({model.w3}, model.welding);
  ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(model.welding);
  QIVISPPActivity_var(model.station1)->GetCycleTime(seconds);
  EXPECT_DOUBLE_EQ(seconds, 2 * 2.0);

  EXPECT_EQ(ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(model.station1), E_INVALIDARG);
}
