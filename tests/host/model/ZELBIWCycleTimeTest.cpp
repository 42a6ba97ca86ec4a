#include "ZELBIWCycleTime.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"
#include "QIVISPPActivity.h"
#include "ZELIBIWActivityCurveFastening.h"
#include "ZELIBIWActivityStation.h"
#include "ZELIBIWActivityWelding.h"
#include "ZELIBIWCurveFastener.h"

namespace {

double CycleTime(const QIVBaseUnknown_var& activity) {
  double seconds = -1.0;
  QIVISPPActivity_var(activity)->GetCycleTime(seconds);
  return seconds;
}

struct CycleTimeDocument : ModelTestDocument {
  CycleTimeDocument() {
    ZELIBIWActivityStation_var station(station1);
    station->SetProductExitRate(60.0);
    station->SetNumberOfSpecifiedPointFasteners(30.0);
    station->SetLengthOfSpecifiedCurveFasteners(400.0);
    QIVISPPItemMgt_var(welding)->AddItem(w1);
    QIVISPPItemMgt_var(welding)->AddItem(w2);
    QIVISPPItemMgt_var(welding)->AddItem(floor);
    ZELIBIWCurveFastener_var(seam)->SetPoints({{0, 0, 0, 0, 0, 0}, {60, 80, 0, 0, 0, 0}});
    QIVISPPItemMgt_var(sealing)->AddItem(seam);
    QIVISPPActivity_var(loading)->SetCycleTime(5.0);
  }
};

}  // namespace

TEST(ZELBIWCycleTimeTest, FasteningActivitiesTakeTheStationsTaktShareWithoutARateOfTheirOwn) {
  CycleTimeDocument model;
  // Takt 3600 / 60 = 60 s; 30 specified welds give 2 s a weld, 400 mm of seam 0.15 s a millimetre.
  EXPECT_EQ(ZELBIWCycleTime::Update(model.welding), S_OK);
  EXPECT_DOUBLE_EQ(CycleTime(model.welding), 4.0);
  EXPECT_EQ(ZELBIWCycleTime::Update(model.sealing), S_OK);
  EXPECT_DOUBLE_EQ(CycleTime(model.sealing), 15.0);
  EXPECT_DOUBLE_EQ(CycleTime(model.station1), 5.0 + 4.0 + 15.0);
}

TEST(ZELBIWCycleTimeTest, AnActivitysOwnRateComesFirst) {
  CycleTimeDocument model;
  ZELIBIWActivityWelding_var(model.welding)->SetPointFasteningRate(1.5);
  ZELIBIWActivityCurveFastening_var(model.sealing)->SetFastenerProductionRate(50.0);
  EXPECT_EQ(ZELIBIWActivityWelding_var(model.welding)->Update(), S_OK);
  EXPECT_DOUBLE_EQ(CycleTime(model.welding), 3.0);
  EXPECT_EQ(ZELIBIWActivityCurveFastening_var(model.sealing)->Update(), S_OK);
  EXPECT_DOUBLE_EQ(CycleTime(model.sealing), 2.0);
  EXPECT_DOUBLE_EQ(CycleTime(model.station1), 10.0);
}

TEST(ZELBIWCycleTimeTest, WithoutStationOrRatesNothingIsCountedAndOtherKindsAreRefused) {
  CycleTimeDocument model;
  ZELIBIWActivityStation_var(model.station1)->SetProductExitRate(0.0);
  EXPECT_EQ(ZELBIWCycleTime::Update(model.welding), S_OK);
  EXPECT_DOUBLE_EQ(CycleTime(model.welding), 0.0);

  QIVBaseUnknown_var loose;
  ModelTestDocument::Child(model.grouping, QIVSPPActivityTypes::ArcWelding, loose);
  QIVISPPItemMgt_var(loose)->AddItem(model.seam);
  EXPECT_FALSE(ZELBIWCycleTime::StationOf(loose));
  EXPECT_TRUE(ZELBIWCycleTime::StationOf(model.sealing) == model.station1);
  EXPECT_EQ(ZELBIWCycleTime::Update(loose), S_OK);
  EXPECT_DOUBLE_EQ(CycleTime(loose), 0.0);

  EXPECT_EQ(ZELBIWCycleTime::Update(model.loading), E_INVALIDARG);
  EXPECT_EQ(ZELBIWCycleTime::Update(model.floor), E_INVALIDARG);
  EXPECT_DOUBLE_EQ(CycleTime(model.loading), 5.0);
}
