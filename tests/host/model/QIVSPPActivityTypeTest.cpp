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

