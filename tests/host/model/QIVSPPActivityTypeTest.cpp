#include "QIVSPPActivityType.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace T = QIVSPPActivityTypes;

TEST(QIVSPPActivityTypeTest, TypeTestPassesSubtypesAndNothingElse) {
  for (const char* ancestor : {T::SpotWelding, T::Welding, T::BIWActivity, T::PhysicalActivity, T::LogicalActivity,
                               T::Activity})
    EXPECT_TRUE(QIVSPPActivityType::IsSubType(T::SpotWelding, ancestor)) << ancestor;
  for (const char* other : {T::CurveFastening, T::Station, T::StudWelding, T::Process, T::DynamicActivity})
    EXPECT_FALSE(QIVSPPActivityType::IsSubType(T::SpotWelding, other)) << other;

  EXPECT_TRUE(QIVSPPActivityType::IsSubType(T::Process, T::LogicalActivity));
  EXPECT_FALSE(QIVSPPActivityType::IsSubType(T::Process, T::PhysicalActivity));
  EXPECT_TRUE(QIVSPPActivityType::IsSubType(T::AssemblyOperation, T::PhysicalActivity));
  EXPECT_FALSE(QIVSPPActivityType::IsSubType(T::AssemblyOperation, T::BIWActivity));
  EXPECT_FALSE(QIVSPPActivityType::IsSubType(T::DynamicActivity, T::LogicalActivity));
  EXPECT_TRUE(QIVSPPActivityType::IsSubType(T::SealantApplication, T::CurveFastening));
  EXPECT_FALSE(QIVSPPActivityType::IsSubType(T::SealantApplication, T::Welding));
  EXPECT_FALSE(QIVSPPActivityType::IsSubType("NoSuchType", T::Activity));
  EXPECT_FALSE(QIVSPPActivityType::IsSubType(T::Station, "NoSuchType"));
}

TEST(QIVSPPActivityTypeTest, GroupsAreAbstractAndEveryOtherTypeHasItsOwnText) {
  std::set<std::string> texts;
  for (const QIVSPPActivityType& type : QIVSPPActivityType::All()) {
    if (type.parent) {
      EXPECT_NE(QIVSPPActivityType::Find(type.parent), nullptr) << type.name;
    }
    if (type.IsAbstract()) continue;
    EXPECT_EQ(std::string(type.text).find('.'), std::string::npos) << type.name;
    EXPECT_TRUE(texts.insert(type.text).second) << type.text;
  }
  for (const char* group : {T::LogicalActivity, T::PhysicalActivity, T::BIWActivity, T::Welding, T::CurveFastening})
    EXPECT_TRUE(QIVSPPActivityType::Find(group)->IsAbstract()) << group;
  EXPECT_EQ(texts.size(), 17u);
}

TEST(QIVSPPActivityTypeTest, KindInterfacesAndAttributesAreInherited) {
  EXPECT_TRUE(QIVSPPActivityType::Offers(T::StudWelding, "ZELIBIWActivityWelding"));
  EXPECT_TRUE(QIVSPPActivityType::Offers(T::StudWelding, "ZELIBIWItemInfo"));
  EXPECT_FALSE(QIVSPPActivityType::Offers(T::StudWelding, "ZELIBIWActivityCurveFastening"));
  EXPECT_FALSE(QIVSPPActivityType::Offers(T::Process, "ZELIBIWItemInfo"));
  EXPECT_TRUE(QIVSPPActivityType::Offers(T::DynamicActivity, "QIVISPPDynamicActivity"));

  const std::vector<const char*> welding = QIVSPPActivityType::Attributes(T::Clinching);
  ASSERT_EQ(welding.size(), 2u);
  EXPECT_STREQ(welding[0], "PointFasteningRate");
  EXPECT_STREQ(welding[1], "SpecifiedPointFasteners");
  EXPECT_EQ(QIVSPPActivityType::Attributes(T::Station).size(), 4u);
  EXPECT_STREQ(QIVSPPActivityType::Attributes(T::Grouping)[2], "GoalInvestmentCost");
  EXPECT_TRUE(QIVSPPActivityType::Attributes(T::Loading).empty());
}
