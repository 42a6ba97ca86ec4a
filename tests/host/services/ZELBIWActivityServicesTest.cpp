#include "ZELBIWActivityServices.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "../model/ModelTestDocument.h"

TEST(ZELBIWActivityServicesTest, EveryKindHasItsOwnTypeNameUnderTheRootType) {
  using S = ZELBIWActivityServices;
  const QIVUnicodeString kinds[] = {
      S::GetStationType(),      S::GetGroupingType(),       S::GetLoadingType(),
      S::GetUnloadingType(),    S::GetClampingType(),       S::GetUnclampingType(),
      S::GetAutoCycleTimeWeldingType(), S::GetStudWeldingType(), S::GetSpotGluingType(),
      S::GetClinchingType(),    S::GetArcWeldingType(),     S::GetAdhesiveApplicationType(),
      S::GetSealantApplicationType()};
  std::set<std::string> distinct;
  for (const QIVUnicodeString& kind : kinds) {
    EXPECT_TRUE(distinct.insert(kind.str()).second) << kind;
    EXPECT_TRUE(QIVSPPActivityType::IsSubType(kind.view(), S::GetRootType().view())) << kind;
  }
  for (const QIVUnicodeString& point : {S::GetAutoCycleTimeWeldingType(), S::GetStudWeldingType(),
                                        S::GetSpotGluingType(), S::GetClinchingType()}) {
    EXPECT_TRUE(QIVSPPActivityType::IsSubType(point.view(), S::GetWeldingType().view())) << point;
    EXPECT_FALSE(QIVSPPActivityType::IsSubType(point.view(), S::GetCurveFasteningType().view())) << point;
  }
  for (const QIVUnicodeString& curve : {S::GetArcWeldingType(), S::GetAdhesiveApplicationType(),
                                        S::GetSealantApplicationType()})
    EXPECT_TRUE(QIVSPPActivityType::IsSubType(curve.view(), S::GetCurveFasteningType().view())) << curve;
  EXPECT_EQ(S::GetStationType(), "BIWActivityStation");
  EXPECT_EQ(S::GetGroupingType(), "BIWActivityGrouping");
}

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
