#include "ZELBIWActivityServices.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "../model/ModelTestDocument.h"

TEST(ZELBIWActivityServicesTest, TypeTestsOnActivitiesPassSubtypes) {
  ModelTestDocument model;
  using S = ZELBIWActivityServices;
  EXPECT_TRUE(S::IsOfType(model.welding, S::GetAutoCycleTimeWeldingType()));
  EXPECT_TRUE(S::IsOfType(model.welding, S::GetWeldingType()));
  EXPECT_TRUE(S::IsOfType(model.welding, "Activity"));
  EXPECT_FALSE(S::IsOfType(model.welding, S::GetStationType()));
  EXPECT_FALSE(S::IsOfType(model.floor, "Activity"));
  EXPECT_TRUE(S::IsBIWActivity(model.station1));
  EXPECT_FALSE(S::IsBIWActivity(model.root));
  EXPECT_TRUE(S::IsFasteningActivity(model.welding));
  EXPECT_TRUE(S::IsFasteningActivity(model.sealing));
  EXPECT_FALSE(S::IsFasteningActivity(model.loading));

  EXPECT_EQ(S::GetFasteningTypeForFastener("clinch"), S::GetClinchingType());
  EXPECT_EQ(S::GetFasteningTypeForFastener("adhesive"), S::GetAdhesiveApplicationType());
  EXPECT_EQ(S::GetFasteningTypeForFastener("rivet"), "");
}
