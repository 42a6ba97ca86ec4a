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
  ZELVekBIWWeldJointIndex::Joint& added = index.AddJoint(joint, {a, b});
  index.AddJoint(other, {a, b, c});
  index.AddJoint(again, {b, a});
  EXPECT_EQ(index.JointCount(), 4);
  EXPECT_EQ(&index.JointAt(1), &added);
  EXPECT_THAT(index.CandidateJoints({b, a}), ElementsAre(1));
  EXPECT_THAT(index.CandidateJoints({c, b, a}), ElementsAre(2));
  EXPECT_THAT(index.CandidateJoints({a, c}), IsEmpty());
  // A part named twice matches no set: every joint is a candidate.
  EXPECT_THAT(index.CandidateJoints({a, a}), ElementsAre(0, 1, 2, 3));
  EXPECT_TRUE(index.JointAt(1).group == joint);
  EXPECT_EQ(index.JointAt(2).parts.Size(), 3);
}

TEST_F(ZELVekBIWWeldJointIndexTest, JointBodiesAreLearntFromTheJointThenFollowTheReader) {
  ZELVekBIWWeldJointIndex::Joint& entry = index.AddJoint(joint, {a, b});
  ZELVekBIWWeldJointIndex::JointBody* found = index.FindJointBody(entry, "JB1");
  ASSERT_NE(found, nullptr);
  EXPECT_TRUE(found->group == first);
  EXPECT_EQ(index.FindJointBody(entry, "Sub"), nullptr);
  QIVBaseUnknown_var made = Group(joint, "JB2");
  EXPECT_EQ(index.FindJointBody(entry, "JB2"), nullptr);
  ZELVekBIWWeldJointIndex::JointBody& added = index.AddJointBody(entry, made, "JB2");
  EXPECT_EQ(index.FindJointBody(entry, "JB2"), &added);
  // A second body of a known name leaves the first one found.
  EXPECT_EQ(&index.AddJointBody(entry, Group(joint, "JB1"), "JB1"), found);

  // A joint not asked about yet learns its bodies with the one added.
  QIVBaseUnknown_var otherJoint = Group(top, "Assembly Joint.2");
  ZELVekBIWWeldJointIndex::Joint& otherEntry = index.AddJoint(otherJoint, {a, c});
  QIVBaseUnknown_var old = Group(otherJoint, "JB8");
  QIVBaseUnknown_var body = Group(otherJoint, "JB9");
  index.AddJointBody(otherEntry, body, "JB9");
  ASSERT_NE(index.FindJointBody(otherEntry, "JB8"), nullptr);
  EXPECT_TRUE(index.FindJointBody(otherEntry, "JB8")->group == old);
  EXPECT_TRUE(index.FindJointBody(otherEntry, "JB9")->group == body);
}

TEST_F(ZELVekBIWWeldJointIndexTest, FastenerNamesCoverNestedGroupsAndFollowTheReader) {
  ZELVekBIWWeldJointIndex::Joint& entry = index.AddJoint(joint, {a, b});
  ZELVekBIWWeldJointIndex::JointBody& withFasteners = *index.FindJointBody(entry, "JB1");
  ZELVekBIWWeldJointIndex::JointBody& empty = index.AddJointBody(entry, second, "JB1 bis");
  EXPECT_TRUE(index.HasFastenerNamed(withFasteners, "W1"));
  EXPECT_TRUE(index.HasFastenerNamed(withFasteners, "W2"));
  EXPECT_FALSE(index.HasFastenerNamed(withFasteners, "Sub"));
  EXPECT_FALSE(index.HasFastenerNamed(empty, "W1"));
  // The reader tells the names of the fasteners it makes.
  Fastener(first, "W3, A");
  index.AddFastenerName(withFasteners, "W3, A");
  EXPECT_TRUE(index.HasFastenerNamed(withFasteners, "W3, A"));
  EXPECT_TRUE(index.HasFastenerNamed(withFasteners, "W3, A"));
  EXPECT_FALSE(index.HasFastenerNamed(withFasteners, "W3"));
  // A name told for a fastener that is not there is not believed.
  index.AddFastenerName(withFasteners, "W4, A");
  EXPECT_FALSE(index.HasFastenerNamed(withFasteners, "W4, A"));
}

}  // namespace
