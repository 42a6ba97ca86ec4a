#include "ZELBIWFeatureContainer.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIBIWTopFastenerGroup.h"

namespace {
QIVListValQIVUnicodeString Names(std::initializer_list<const char*> names) {
  QIVListValQIVUnicodeString list;
  for (const char* name : names) list.Append(name);
  return list;
}
}  // namespace

TEST(ZELBIWFeatureContainerTest, FactoryBuildsTopGroupJointsBodiesAndFastenersInOrder) {
  ModelTestDocument model;
  ZELIBIWFPPFactory_var factory(model.container);
  QIVBaseUnknown_var top;
  factory->GetTopGroup(top);
  EXPECT_TRUE(top == model.top);
  EXPECT_TRUE(ZELIBIWTopFastenerGroup_var(top));
  EXPECT_FALSE(ZELIBIWTopFastenerGroup_var(model.joint1));

  ZELIBIWFeatureContainer_var features(model.container);
  QIVListValQIVBaseUnknown_var all;
  features->GetFeatures(all);
  EXPECT_EQ(NamesOf(all), Names({"", "Assembly Joint.1", "JB1", "W0001, A", "W0002, A", "Assembly Joint.2", "JB2",
                                 "W0003, B", "S0001, B"}));
  features->GetFeatures(all, ZELIBIWFastener::ClassName());
  EXPECT_EQ(NamesOf(all), Names({"W0001, A", "W0002, A", "W0003, B", "S0001, B"}));
  features->GetFeatures(all, ZELIBIWPointFastener::ClassName());
  EXPECT_EQ(all.Size(), 3);
  features->GetFeatures(all, "NoSuchInterface");
  EXPECT_TRUE(all.IsEmpty());
  EXPECT_EQ(features->GetFeatureCount(), 9);

  // Groups hold children; fasteners do not answer as groups.
  EXPECT_TRUE(ZELIBIWFeatureChildMgmt_var(model.body1));
  EXPECT_FALSE(ZELIBIWFeatureChildMgmt_var(model.w1));
  QIVBaseUnknown_var none;
  EXPECT_EQ(factory->CreatePointFastener(model.w1, none), E_INVALIDARG);
  EXPECT_EQ(factory->CreateGroup(nullptr, none), E_INVALIDARG);
  EXPECT_FALSE(none);

  const long generation = features->GetGeneration();
  features->Update();
  EXPECT_EQ(features->GetGeneration(), generation + 1);
}

TEST(ZELBIWFeatureContainerTest, LocatorsLiveUnderTheirOwnTopGroups) {
  ModelTestDocument model;
  ZELIBIWFPPFactory_var factory(model.container);
  QIVBaseUnknown_var locatingTop, clampingTop, again, pin, clamp;
  factory->GetTopLocatingPointGroup(locatingTop);
  factory->GetTopClampingPointGroup(clampingTop);
  factory->GetTopLocatingPointGroup(again);
  EXPECT_TRUE(locatingTop == again);
  EXPECT_FALSE(locatingTop == clampingTop);
  factory->CreateLocatingPoint(locatingTop, pin);
  factory->CreateClampingPoint(clampingTop, clamp);
  EXPECT_TRUE(ZELIBIWLocatingPoint_var(pin));
  EXPECT_FALSE(ZELIBIWClampingPoint_var(pin));
  EXPECT_TRUE(ZELIBIWClampingPoint_var(clamp));
  EXPECT_STREQ(QIVIModelObject_var(clamp)->GetKindName(), "Locator");
  EXPECT_EQ(QIVIModelObject_var(clamp)->GetSubKind(), "ClampingPoint");

  ZELIBIWLocatingPoint_var locating(pin);
  EXPECT_EQ(locating->SetPosition({1, 2, 3, 0, 0, 90}), S_OK);
  EXPECT_EQ(locating->SetPosition({1, 2, 3}), E_INVALIDARG);
  QIVRawColldouble position;
  locating->GetPosition(position);
  EXPECT_EQ(position[6], 90);
  locating->SetDescription("4-way pin");
  EXPECT_EQ(locating->GetDescription(), "4-way pin");
  EXPECT_EQ(locating->SetColor(0x1000000), E_INVALIDARG);

  QIVListValQIVBaseUnknown_var children;
  ZELIBIWFeatureChildMgmt_var(locatingTop)->GetChildren(children);
  EXPECT_EQ(children.Size(), 1);
  // A top group cannot go below another group.
  EXPECT_EQ(ZELIBIWFeatureChildMgmt_var(model.joint1)->AddChild(locatingTop), E_INVALIDARG);
}

TEST(ZELBIWFeatureContainerTest, PartRelationsAnswerBothWaysAndFindJointsByTheirExactSetOfParts) {
  ModelTestDocument model;
  ZELIBIWFeaturePartRelations_var relations(model.container);
  QIVListValQIVBaseUnknown_var found;
  relations->GetRelatedParts(model.joint1, found);
  EXPECT_EQ(NamesOf(found), Names({"Floor.1", "SideMember.1"}));
  relations->GetRelatedFeatures(model.floor, found);
  EXPECT_EQ(NamesOf(found), Names({"Assembly Joint.1", "Assembly Joint.2"}));

  relations->FindFeaturesJoiningParts({model.side1, model.floor}, found);
  EXPECT_EQ(NamesOf(found), Names({"Assembly Joint.1"}));
  relations->FindFeaturesJoiningParts({model.floor}, found);
  EXPECT_TRUE(found.IsEmpty());
  relations->FindFeaturesJoiningParts({model.floor, model.side1, model.cross}, found);
  EXPECT_TRUE(found.IsEmpty());

  // Relating again changes nothing; unrelating moves the joint to its new set.
  EXPECT_EQ(relations->SetRelatedParts(model.joint1, {model.side1}, true), S_OK);
  relations->GetRelatedParts(model.joint1, found);
  EXPECT_EQ(found.Size(), 2);
  EXPECT_EQ(relations->SetRelatedParts(model.joint1, {model.side1}, false), S_OK);
  relations->FindFeaturesJoiningParts({model.floor}, found);
  EXPECT_EQ(NamesOf(found), Names({"Assembly Joint.1"}));
  relations->GetRelatedFeatures(model.side1, found);
  EXPECT_TRUE(found.IsEmpty());

  ModelTestDocument other;
  EXPECT_EQ(relations->SetRelatedParts(model.joint1, {other.floor}, true), E_INVALIDARG);
  EXPECT_EQ(relations->SetRelatedParts(model.joint1, {model.welding}, true), E_INVALIDARG);
  EXPECT_EQ(relations->SetRelatedParts(model.floor, {model.side2}, true), E_INVALIDARG);
}
