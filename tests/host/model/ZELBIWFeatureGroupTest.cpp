#include "ZELBIWFeatureGroup.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureGroup.h"

TEST(ZELBIWFeatureGroupTest, ChildrenAreFoundByNameThroughRenamesAndMoves) {
  ModelTestDocument model;
  ZELIBIWFeatureChildMgmt_var body1(model.body1);
  QIVBaseUnknown_var found;
  EXPECT_EQ(body1->FindChildByName("W0002, A", found), S_OK);
  EXPECT_TRUE(found == model.w2);
  EXPECT_EQ(body1->FindChildByName("W0002", found), E_FAIL);

  QIVIAlias_var(model.w2)->SetAlias("W0002, C");
  EXPECT_EQ(body1->FindChildByName("W0002, A", found), E_FAIL);
  EXPECT_EQ(body1->FindChildByName("W0002, C", found), S_OK);

  EXPECT_EQ(ZELIBIWFeatureChildMgmt_var(model.body2)->AddChild(model.w2), S_OK);
  EXPECT_EQ(body1->FindChildByName("W0002, C", found), E_FAIL);
  EXPECT_EQ(body1->GetChildrenCount(), 1);
  EXPECT_EQ(ZELIBIWFeatureChildMgmt_var(model.body2)->FindChildByName("W0002, C", found), S_OK);
  QIVBaseUnknown_var father;
  QIVISpecObject_var(model.w2)->GetSpecFather(father);
  EXPECT_TRUE(father == model.body2);

  // A group cannot go below itself; a fastener of another document cannot come in.
  EXPECT_EQ(ZELIBIWFeatureChildMgmt_var(model.body1)->AddChild(model.joint1), E_INVALIDARG);
  ModelTestDocument other;
  EXPECT_EQ(body1->AddChild(other.w1), E_INVALIDARG);
}

TEST(ZELBIWFeatureGroupTest, FastenersAreListedDirectlyOrWithEverySubGroup) {
  ModelTestDocument model;
  QIVListValQIVBaseUnknown_var fasteners;
  ZELIBIWFeatureGroup_var(model.joint2)->GetFasteners(fasteners, false);
  EXPECT_TRUE(fasteners.IsEmpty());
  ZELIBIWFeatureGroup_var(model.joint2)->GetFasteners(fasteners, true);
  EXPECT_EQ(fasteners.Size(), 2);
  fasteners.RemoveAll();
  ZELIBIWFeatureGroup_var(model.top)->GetFasteners(fasteners, true);
  EXPECT_EQ(NamesOf(fasteners).Size(), 4);
  EXPECT_EQ(NamesOf(fasteners)[4], "S0001, B");

  QIVListValQIVBaseUnknown_var children;
  ZELIBIWFeatureChildMgmt_var(model.joint1)->GetChildren(children, ZELIBIWFeatureChildMgmt::ClassName());
  EXPECT_EQ(NamesOf(children)[1], "JB1");
  ZELIBIWFeatureChildMgmt_var(model.joint1)->GetChildren(children, ZELIBIWFastener::ClassName());
  EXPECT_TRUE(children.IsEmpty());
  EXPECT_EQ(QIVIModelObject_var(model.joint1)->GetSubKind(), "Group");
  EXPECT_EQ(QIVIModelObject_var(model.top)->GetSubKind(), "TopFastenerGroup");
}
