#include "assignment/ZELVekBIWAssignWeldDlg.h"

#include <gmock/gmock.h>

#include "AssignWeldTestSupport.h"
#include "QIVEnvironment.h"
#include "QIVFrmEditor.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ZELVekBIWAssignWeldDlgTest = AssignWeldTest;

TEST_F(ZELVekBIWAssignWeldDlgTest, OpensOnTheFirstActivityAndProductWithSortedLists) {
  ASSERT_NE(Start(), nullptr);
  EXPECT_THAT(ComboLines("ComboActivityId"),
              ElementsAre("SpotWelding.1 (SpotWelding.1<-Station.1<-Process )",
                          "SpotWelding.2 (SpotWelding.2<-Station.1<-Process )",
                          "SealantApplication.1 (SealantApplication.1<-Station.1<-Process )"));
  EXPECT_THAT(ComboLines("ComboProductId"), ElementsAre("Floor", "Side", "All Products"));
  EXPECT_EQ(Widget<QIVDlgCombo>("ComboActivityId")->GetSelect(), 0);
  EXPECT_EQ(Widget<QIVDlgCombo>("ComboProductId")->GetSelect(), 0);
  EXPECT_EQ(Widget<QIVDlgCombo>("ComboActivityId")->GetVisibleTextHeight(), 3);
  EXPECT_EQ(Widget<QIVDlgCombo>("ComboActivityId")->GetVisibleTextWidth(), 64);
  // The sealant on the floor does not fit spot welding; W4 is assigned.
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("W1", "W2", "W3"));
  EXPECT_THAT(Lines("SelectListRightId"), ElementsAre("W4(*)"));
  EXPECT_EQ(Text("EditorNumberID"), "3");
  EXPECT_EQ(Text("EditorAssignNumberID"), "1");
  EXPECT_EQ(Dialog()->GetButtonTitle(QIVNotificationKind::Cancel).str(), "Close");
  EXPECT_EQ(Dialog()->GetButtonTitle(QIVNotificationKind::Apply).str(), "Filter Fasteners");
}

TEST_F(ZELVekBIWAssignWeldDlgTest, EmptyDocumentShowsTheNoActivityAndNoProductLines) {
  Document()->RemoveObject(_station);
  for (const QIVBaseUnknown_var& fastener : {_w1, _w2, _w3, _w4, _w5, _s1})
    _relations->SetRelatedParts(fastener, QIVListValQIVBaseUnknown_var{_floor, _side}, false);
  ASSERT_NE(Start(), nullptr);
  EXPECT_THAT(ComboLines("ComboActivityId"), ElementsAre("No Fastening Activity"));
  EXPECT_THAT(ComboLines("ComboProductId"), ElementsAre("No Product"));
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("No qualified fasteners for selected activity."));
  EXPECT_THAT(Lines("SelectListRightId"), ElementsAre("No fasteners currently assigned."));
  EXPECT_FALSE(Sensitive("SelectListLeftId"));
  EXPECT_FALSE(Sensitive("SelectListRightId"));
  EXPECT_EQ(Text("EditorNumberID"), "0");
  EXPECT_EQ(Text("EditorAssignNumberID"), "0");
  // The accountability page on the current product, of which there is
  // none: nothing to report, so every control of the page is shut.
  ASSERT_EQ(Deliver(QIVWidgetEvent::Tab("TabContainerId", "TabPageAccountabilityId")), S_OK);
  ASSERT_EQ(Check("RadioOneProductId"), S_OK);
  const auto* report = Widget<QIVDlgMultiList>("MultiListWeldAccountId");
  ASSERT_EQ(report->GetRowCount(), 1);
  EXPECT_EQ(report->GetCell(0, 1).str(), "None");
  EXPECT_EQ(Text("EditorWeldsAvailableId"), "0");
  for (const char* control : {"RadioOneProductId", "RadioAllProductId", "ComboOptionId", "MultiListWeldAccountId",
                              "EditorWeldsAvailableId", "EditorWeldsOptionId"})
    EXPECT_FALSE(Sensitive(control)) << control;
  EXPECT_EQ(PressDialog(QIVNotificationKind::Cancel), S_OK);
}

TEST_F(ZELVekBIWAssignWeldDlgTest, AssignMovesTheSelectedLinesAndUpdatesItemsAndCycleTime) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Select("SelectListLeftId", {2, 0}), S_OK);
  ASSERT_EQ(Press("PushButtonAssignId"), S_OK);
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("W2"));
  EXPECT_THAT(Lines("SelectListRightId"), ElementsAre("W1(*)", "W3(*)", "W4(*)"));
  EXPECT_EQ(Text("EditorAssignNumberID"), "3");
  QIVListValQIVBaseUnknown_var items;
  ZELFastenerServices::GetWeldFromActivity(_welding1, items, 0, 0);
  EXPECT_THAT(NamesOf(items), ElementsAre("W4, B", "W3, A", "W1, A"));
  EXPECT_DOUBLE_EQ(CycleTime(_welding1), 6.0);

  // Another activity never offers them again.
  ASSERT_EQ(Choose("ComboActivityId", 1), S_OK);
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("W2"));
}

TEST_F(ZELVekBIWAssignWeldDlgTest, DoubleClicksAssignAndUnassign) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Deliver(QIVWidgetEvent::Activate("SelectListLeftId", 1)), S_OK);
  EXPECT_THAT(Lines("SelectListRightId"), ElementsAre("W2(*)", "W4(*)"));
  ASSERT_EQ(Deliver(QIVWidgetEvent::Activate("SelectListRightId", 0)), S_OK);
  EXPECT_THAT(Lines("SelectListRightId"), ElementsAre("W4(*)"));
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("W1", "W2", "W3"));
}

TEST_F(ZELVekBIWAssignWeldDlgTest, UnassignTakesTheFastenersOffAndRecomputesTheCycleTime) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Select("SelectListRightId", {0}), S_OK);
  ASSERT_EQ(Press("PushButtonUnassignId"), S_OK);
  EXPECT_THAT(Lines("SelectListRightId"), ElementsAre("No fasteners currently assigned."));
  EXPECT_FALSE(Sensitive("SelectListRightId"));
  EXPECT_EQ(Text("EditorAssignNumberID"), "0");
  EXPECT_DOUBLE_EQ(CycleTime(_welding1), 0.0);
  ASSERT_EQ(Choose("ComboProductId", 1), S_OK);
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("W4", "W5"));
}

TEST_F(ZELVekBIWAssignWeldDlgTest, ActivityKindDecidesWhichFastenersQualify) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Choose("ComboActivityId", 2), S_OK);
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("S1"));
  ASSERT_EQ(Choose("ComboProductId", 1), S_OK);
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("No qualified fasteners for selected activity."));
  EXPECT_FALSE(Sensitive("SelectListLeftId"));
  EXPECT_EQ(Text("EditorNumberID"), "0");
}

TEST_F(ZELVekBIWAssignWeldDlgTest, EverythingAssignedGivesTheNoValidFastenersLine) {
  QIVListValQIVBaseUnknown_var welds{_w5};
  ZELFastenerServices::AssignListOfWelds(&welds, _welding2, nullptr, 0);
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Choose("ComboProductId", 1), S_OK);
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("No valid fasteners available for assignment."));
  EXPECT_FALSE(Sensitive("SelectListLeftId"));
}

TEST_F(ZELVekBIWAssignWeldDlgTest, SelectingLinesHighlightsTheirFastenersOnly) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Select("SelectListLeftId", {0, 2}), S_OK);
  const ZELFastenerDisplay& display = ZELFastenerDisplay::Instance();
  EXPECT_TRUE(display.IsHighlighted(_w1));
  EXPECT_TRUE(display.IsHighlighted(_w3));
  EXPECT_EQ(QIVFrmEditor::GetCurrentEditor()->GetHSO()->GetSize(), 2);
  ASSERT_EQ(Select("SelectListRightId", {0}), S_OK);
  EXPECT_THAT(SelectedLines("SelectListLeftId"), IsEmpty());
  EXPECT_FALSE(display.IsHighlighted(_w1));
  EXPECT_TRUE(display.IsHighlighted(_w4));
  EXPECT_EQ(QIVFrmEditor::GetCurrentEditor()->GetHSO()->GetSize(), 1);
}

TEST_F(ZELVekBIWAssignWeldDlgTest, IdentifiersFollowTheListsAndTheCheckButtons) {
  ASSERT_NE(Start(), nullptr);
  const ZELFastenerDisplay& display = ZELFastenerDisplay::Instance();
  EXPECT_EQ(display.CountIdentifiersShown(), 4u);
  EXPECT_TRUE(display.IsIdentifierShown(_w4));
  EXPECT_FALSE(display.IsIdentifierShown(_s1));
  // Only the listed fasteners keep their weld points.
  EXPECT_FALSE(display.IsWeldPointShown(_w5));
  EXPECT_FALSE(display.IsWeldPointShown(_s1));
  EXPECT_TRUE(display.IsWeldPointShown(_w2));
  EXPECT_THAT(NamesOf(Dialog()->GetWeldsCurrentlyShown()), ElementsAre("W1, A", "W2, A", "W3, A", "W4, B"));

  ASSERT_EQ(Check("CheckShowHideWeldIdLeftList", false), S_OK);
  EXPECT_EQ(display.CountIdentifiersShown(), 1u);
  EXPECT_TRUE(Dialog()->GetAvailableWeldsDisplayed().IsEmpty());
  ASSERT_EQ(Check("CheckShowHideWeldIdRightList", false), S_OK);
  EXPECT_EQ(display.CountIdentifiersShown(), 0u);
  ASSERT_EQ(Check("CheckShowHideWeldIdLeftList", true), S_OK);
  EXPECT_EQ(display.CountIdentifiersShown(), 3u);
}

TEST_F(ZELVekBIWAssignWeldDlgTest, ClosingRestoresTheDisplayFoundAtOpening) {
  ZELFastenerDisplay::HideShowWeldPointsInList(QIVListValQIVBaseUnknown_var{_w2}, false);
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Select("SelectListLeftId", {0}), S_OK);
  ASSERT_EQ(PressDialog(QIVNotificationKind::Cancel), S_OK);
  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
  const ZELFastenerDisplay& display = ZELFastenerDisplay::Instance();
  EXPECT_EQ(display.CountIdentifiersShown(), 0u);
  EXPECT_EQ(display.CountHighlighted(), 0u);
  EXPECT_EQ(display.CountWeldPointsHidden(), 1u);
  EXPECT_FALSE(display.IsWeldPointShown(_w2));
  EXPECT_EQ(QIVFrmEditor::GetCurrentEditor()->GetHSO()->GetSize(), 0);
}

TEST_F(ZELVekBIWAssignWeldDlgTest, AFastenerMovingAcrossKeepsItsIdentifierShown) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Select("SelectListRightId", {0}), S_OK);
  ASSERT_EQ(Choose("ComboProductId", 2), S_OK);
  ASSERT_EQ(Select("SelectListRightId", {0}), S_OK);
  ASSERT_EQ(Press("PushButtonUnassignId"), S_OK);
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("W1", "W2", "W3", "W4", "W5"));
  EXPECT_TRUE(ZELFastenerDisplay::Instance().IsIdentifierShown(_w4));
  EXPECT_EQ(ZELFastenerDisplay::Instance().CountIdentifiersShown(), 5u);
  ASSERT_EQ(Select("SelectListLeftId", {3}), S_OK);
  ASSERT_EQ(Press("PushButtonAssignId"), S_OK);
  EXPECT_TRUE(ZELFastenerDisplay::Instance().IsIdentifierShown(_w4));
  EXPECT_EQ(ZELFastenerDisplay::Instance().CountIdentifiersShown(), 5u);
}

TEST_F(ZELVekBIWAssignWeldDlgTest, FastenersOfJointsRelatedToAPartBelongToThatPart) {
  QIVBaseUnknown_var top, joint, body, w6;
  _factory->GetTopGroup(top);
  _factory->CreateGroup(top, joint);
  _factory->CreateGroup(joint, body);
  _factory->CreatePointFastener(body, w6);
  QIVIAlias_var(w6)->SetAlias("W6, C");
  ZELIBIWFastener_var(w6)->SetType("spot weld");
  for (const QIVBaseUnknown_var& group : {joint, body})
    _relations->SetRelatedParts(group, QIVListValQIVBaseUnknown_var{_side}, true);
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Choose("ComboProductId", 1), S_OK);
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("W5", "W6"));
}
