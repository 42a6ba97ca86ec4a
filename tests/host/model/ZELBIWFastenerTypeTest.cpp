#include "ZELBIWFastenerType.h"

#include <gtest/gtest.h>

#include <string>

#include "QIVSPPActivityType.h"

namespace T = QIVSPPActivityTypes;

TEST(ZELBIWFastenerTypeTest, EachTypeFitsExactlyItsFasteningKind) {
  const std::pair<const char*, const char*> matches[] = {
      {"spot weld", T::SpotWelding}, {"stud weld", T::StudWelding},         {"clinch", T::Clinching},
      {"arc weld", T::ArcWelding},   {"spot glue", T::SpotGluing},          {"adhesive", T::AdhesiveApplication},
      {"sealant", T::SealantApplication}};
  for (const auto& [type, kind] : matches)
    for (const auto& [otherType, otherKind] : matches)
      EXPECT_EQ(ZELBIWFastenerType::Fits(type, otherKind), std::string(kind) == otherKind) << type << " / " << otherKind;
  for (const char* notFastening : {T::Station, T::Grouping, T::Loading, T::Welding, T::AssemblyOperation})
    EXPECT_FALSE(ZELBIWFastenerType::Fits("spot weld", notFastening)) << notFastening;
}

