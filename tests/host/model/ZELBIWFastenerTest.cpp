#include "ZELBIWFastener.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"

TEST(ZELBIWFastenerTest, TypeCategoryIdentifierAndVersionAreKeptAsGiven) {
  ModelTestDocument model;
  ZELIBIWFastener_var fastener(model.w1);
  EXPECT_EQ(fastener->GetType(), "spot weld");
  EXPECT_EQ(fastener->GetCategory(), "exo");
  EXPECT_EQ(fastener->SetCategory("endo"), S_OK);
  EXPECT_EQ(fastener->SetCategory("Endo"), E_INVALIDARG);
  EXPECT_EQ(fastener->GetCategory(), "endo");
  EXPECT_EQ(fastener->SetType("Spot Weld "), S_OK);
  EXPECT_EQ(fastener->GetType(), "Spot Weld ");
  EXPECT_EQ(fastener->GetIdentifier(), "");
  fastener->SetIdentifier("W-17");
  fastener->SetFastenerVersion("B.2");
  EXPECT_EQ(fastener->GetIdentifier(), "W-17");
  EXPECT_EQ(fastener->GetFastenerVersion(), "B.2");
  QIVIPLMObject_var(model.w1)->SetPLMID("PLM-0001");
  EXPECT_EQ(QIVIPLMObject_var(model.w1)->GetPLMID(), "PLM-0001");
}

TEST(ZELBIWFastenerTest, ColourIsRestoredToTheDefault) {
  ModelTestDocument model;
  ZELIBIWFastener_var fastener(model.seam);
  EXPECT_EQ(fastener->GetColor(), -1);
  EXPECT_EQ(fastener->SetColor(0x00FF00), S_OK);
  EXPECT_EQ(fastener->SetColor(-2), E_INVALIDARG);
  EXPECT_EQ(fastener->GetColor(), 0x00FF00);
  EXPECT_EQ(fastener->RestoreColor(nullptr, true), S_OK);
  EXPECT_EQ(fastener->GetColor(), -1);
}

TEST(ZELBIWFastenerTest, AssignmentsCountDocumentActivitiesAndKeepRepositoryOnesApart) {
  ModelTestDocument model;
  QIVISPPItemMgt_var(model.welding)->AddItem(model.w1);
  QIVISPPItemMgt_var(model.station1)->AddItem(model.w1, QIVSPPItemFromFlow);
  ZELIBIWFeature_var feature(model.w1);
  EXPECT_EQ(feature->GetNumberOfAssignments(), 2);
  QIVListValQIVBaseUnknown_var activities;
  feature->GetAssignedActivities(activities);
  EXPECT_EQ(NamesOf(activities)[1], "SpotWelding.1");
  EXPECT_EQ(NamesOf(activities)[2], "Station.1");

  ZELIBIWFastener_var fastener(model.w1);
  fastener->AddExternalAssignment("Plant/Line 2/Station 40");
  QIVListValQIVUnicodeString external;
  fastener->GetExternalAssignments(external);
  EXPECT_EQ(external.Size(), 1);
  EXPECT_EQ(feature->GetNumberOfAssignments(), 2);
  fastener->ClearExternalAssignments();
  fastener->GetExternalAssignments(external);
  EXPECT_TRUE(external.IsEmpty());

  feature->SetGraphicRepresentation("spot.cgr");
  feature->SetPlanTypeName("SpotWeld");
  EXPECT_EQ(feature->GetGraphicRepresentation(), "spot.cgr");
  EXPECT_EQ(feature->GetPlanTypeName(), "SpotWeld");
}
