#include "ZELVekBIWWeldJointIndex.h"

#include <gmock/gmock.h>

#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "ZELIBIWFPPFactory.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A joint with two joint bodies of one name and a nested group, in a
// document whose parts are plain products.
class ZELVekBIWWeldJointIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (QIVBaseUnknown_var* part : {&a, &b, &c}) document->CreateProduct(nullptr, "Part", "", *part);
    document->GetFeatureContainer(container);
    factory = container;
    factory->GetTopGroup(top);
    joint = Group(top, "Assembly Joint.1");
    first = Group(joint, "JB1");
    second = Group(joint, "JB1");
    nested = Group(first, "Sub");
    Fastener(first, "W1");
    Fastener(nested, "W2");
  }
  QIVBaseUnknown_var Group(const QIVBaseUnknown_var& father, const char* name) {
    QIVBaseUnknown_var group;
    factory->CreateGroup(father, group);
    QIVIAlias_var(group)->SetAlias(name);
    return group;
  }
  void Fastener(const QIVBaseUnknown_var& father, const char* name) {
    QIVBaseUnknown_var fastener;
    factory->CreatePointFastener(father, fastener);
    QIVIAlias_var(fastener)->SetAlias(name);
  }

  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var a, b, c, container, top, joint, first, second, nested;
  ZELIBIWFPPFactory_var factory;
  ZELVekBIWWeldJointIndex index;
};

TEST_F(ZELVekBIWWeldJointIndexTest, APartSetFindsItsFirstJointInAnyOrder) {
  QIVBaseUnknown_var empty = QIVMake<QIVBaseUnknown>(), other = QIVMake<QIVBaseUnknown>(),
                     again = QIVMake<QIVBaseUnknown>();
  index.AddJoint(empty, {});
  index.AddJoint(joint, {a, b});
  index.AddJoint(other, {a, b, c});
  index.AddJoint(again, {b, a});
  EXPECT_EQ(index.JointCount(), 4);
  EXPECT_THAT(index.CandidateJoints({b, a}), ElementsAre(1));
  EXPECT_THAT(index.CandidateJoints({c, b, a}), ElementsAre(2));
  EXPECT_THAT(index.CandidateJoints({a, c}), IsEmpty());
  // A part named twice matches no set: every joint is a candidate.
  EXPECT_THAT(index.CandidateJoints({a, a}), ElementsAre(0, 1, 2, 3));
  EXPECT_TRUE(index.Joint(1) == joint);
  EXPECT_EQ(index.JointParts(2).Size(), 3);
}

TEST_F(ZELVekBIWWeldJointIndexTest, JointBodiesAreLearntFromTheJointThenFollowTheReader) {
  EXPECT_TRUE(index.FindJointBody(joint, "JB1") == first);
  EXPECT_FALSE(index.FindJointBody(joint, "Sub"));
  QIVBaseUnknown_var made = Group(joint, "JB2");
  EXPECT_FALSE(index.FindJointBody(joint, "JB2"));
  index.AddJointBody(joint, made, "JB2");
  EXPECT_TRUE(index.FindJointBody(joint, "JB2") == made);

  // A joint not yet asked about learns its bodies, those added too.
  QIVBaseUnknown_var otherJoint = Group(top, "Assembly Joint.2");
  QIVBaseUnknown_var body = Group(otherJoint, "JB9");
  index.AddJointBody(otherJoint, body, "JB9");
  EXPECT_TRUE(index.FindJointBody(otherJoint, "JB9") == body);
}

TEST_F(ZELVekBIWWeldJointIndexTest, FastenerNamesCoverNestedGroupsAndFollowTheReader) {
  EXPECT_TRUE(index.HasFastenerNamed(first, "W1"));
  EXPECT_TRUE(index.HasFastenerNamed(first, "W2"));
  EXPECT_FALSE(index.HasFastenerNamed(first, "Sub"));
  EXPECT_FALSE(index.HasFastenerNamed(second, "W1"));
  index.AddFastenerName(first, "W3, A");
  EXPECT_TRUE(index.HasFastenerNamed(first, "W3, A"));
  EXPECT_FALSE(index.HasFastenerNamed(first, "W3"));
}

}  // namespace
