#include "QIVProduct.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"
#include "QIVIProductReference.h"

TEST(QIVProductTest, AbsolutePositionComposesTheFathersPlacements) {
  ModelTestDocument model;
  QIVIProduct_var(model.body)->SetPosition(QIVMathTransformation::FromYPR(1000, 0, 0, 0, 0, 90));
  QIVIProduct_var(model.floor)->SetPosition(QIVMathTransformation::FromYPR(10, 20, 30, 0, 0, 0));
  QIVMathTransformation absolute;
  QIVIProduct_var(model.floor)->GetAbsolutePosition(absolute);
  const std::array<double, 6> ypr = absolute.ToYPR();
  EXPECT_NEAR(ypr[0], 1000 - 20, 1e-9);
  EXPECT_NEAR(ypr[1], 10, 1e-9);
  EXPECT_NEAR(ypr[2], 30, 1e-9);
  EXPECT_NEAR(ypr[5], 90, 1e-9);
  QIVMathTransformation relative;
  QIVIProduct_var(model.floor)->GetPosition(relative);
  EXPECT_TRUE(relative.IsNear(QIVMathTransformation::FromYPR(10, 20, 30, 0, 0, 0)));
}

TEST(QIVProductTest, ChildrenAreFoundByInstanceNameAndPartNumberAndFollowMoves) {
  ModelTestDocument model;
  QIVIProduct_var body(model.body);
  QIVBaseUnknown_var child, father;
  EXPECT_EQ(body->FindChildByInstanceName("SideMember.2", child), S_OK);
  EXPECT_TRUE(child == model.side2);
  EXPECT_EQ(body->FindChildByPartNumber("SM-300", child), S_OK);
  EXPECT_TRUE(child == model.side1);
  EXPECT_EQ(body->FindChildByPartNumber("BD-100", child), E_FAIL);
  EXPECT_EQ(QIVIProduct_var(model.side2)->GetPartNumber(), "SM-300");

  // Renaming and moving keep the lookups right.
  QIVIProduct_var(model.side1)->SetPrdInstanceName("LeftMember.1");
  EXPECT_EQ(body->FindChildByInstanceName("SideMember.1", child), E_FAIL);
  EXPECT_EQ(body->FindChildByInstanceName("LeftMember.1", child), S_OK);
  EXPECT_EQ(QIVIProduct_var(model.floor)->AddChild(model.side1), S_OK);
  EXPECT_EQ(body->FindChildByPartNumber("SM-300", child), S_OK);
  EXPECT_TRUE(child == model.side2);
  EXPECT_EQ(QIVIProduct_var(model.floor)->FindChildByInstanceName("LeftMember.1", child), S_OK);
  QIVIProduct_var(model.side1)->GetFatherProduct(father);
  EXPECT_TRUE(father == model.floor);
  EXPECT_EQ(QIVIProduct_var(model.side1)->AddChild(model.body), E_INVALIDARG);
  EXPECT_EQ(QIVIProduct_var(model.side1)->AddChild(model.side1), E_INVALIDARG);
  EXPECT_EQ(body->GetChildrenCount(), 3);
  EXPECT_EQ(QIVIProduct_var(model.body)->GetFatherProduct(father), E_FAIL);

  // A root moved under another product is no root any more.
  QIVBaseUnknown_var spare;
  model.document->CreateProduct(nullptr, "Spare", "", spare);
  EXPECT_EQ(model.document->GetRootProducts().Size(), 2);
  body->AddChild(spare);
  EXPECT_EQ(model.document->GetRootProducts().Size(), 1);
}

TEST(QIVProductTest, ReferencesShareAPartNumberAndCountTheirVisualisableInstances) {
  ModelTestDocument model;
  QIVBaseUnknown_var reference, orphan, other;
  QIVIProduct_var(model.side1)->GetReferenceProduct(reference);
  QIVIProductReference_var sideMember(reference);
  EXPECT_EQ(sideMember->GetVisualisableInstanceCount(), 2);

  // An instance built but never placed in the tree is not visualisable.
  model.document->CreateObject("Product", "", 0, orphan);
  EXPECT_EQ(QIVIProduct_var(orphan)->SetReferenceProduct(reference), S_OK);
  EXPECT_EQ(sideMember->GetVisualisableInstanceCount(), 2);
  QIVIProduct_var(model.body)->AddChild(orphan);
  EXPECT_EQ(sideMember->GetVisualisableInstanceCount(), 3);

  // Part numbers stay unique and renumbering follows through the lookups.
  model.document->FindReference("FL-200", other);
  EXPECT_EQ(QIVIProductReference_var(other)->SetPartNumber("SM-300"), E_FAIL);
  EXPECT_EQ(sideMember->SetPartNumber("SM-310"), S_OK);
  QIVBaseUnknown_var child;
  EXPECT_EQ(QIVIProduct_var(model.body)->FindChildByPartNumber("SM-310", child), S_OK);
  EXPECT_TRUE(child == model.side1);
  EXPECT_EQ(QIVIProduct_var(model.body)->FindChildByPartNumber("SM-300", child), E_FAIL);
  EXPECT_EQ(model.document->FindProductsByPartNumber("SM-310").Size(), 3);

  ModelTestDocument otherDocument;
  EXPECT_EQ(QIVIProduct_var(model.floor)->SetReferenceProduct(reference), S_OK);
  otherDocument.document->FindReference("FL-200", other);
  EXPECT_EQ(QIVIProduct_var(model.floor)->SetReferenceProduct(other), E_INVALIDARG);
  EXPECT_EQ(QIVIProduct_var(model.floor)->SetReferenceProduct(nullptr), S_OK);
  EXPECT_EQ(QIVIProduct_var(model.floor)->GetPartNumber(), "");
}
