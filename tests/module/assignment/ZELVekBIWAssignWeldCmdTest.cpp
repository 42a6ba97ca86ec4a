#include "ZELVekBIWAssignWeldCmd.h"

#include <gmock/gmock.h>

#include "AssignWeldTestSupport.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ZELVekBIWAssignWeldCmdTest = AssignWeldTest;

TEST_F(ZELVekBIWAssignWeldCmdTest, RunsInOneStateWithItsDialogShown) {
  ZELVekBIWAssignWeldCmd* command = Start();
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->GetName().str(), "AssignWeldCmd");
  EXPECT_EQ(command->GetCurrentState()->GetName().str(), "State1Id");
  EXPECT_TRUE(command->GetDialog()->IsShown());
  EXPECT_EQ(command->GetDialog()->GetName().str(), "AssignWeldDlg");
}

TEST_F(ZELVekBIWAssignWeldCmdTest, WindowCloseEndsTheCommand) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(PressDialog(QIVNotificationKind::WindowClose), S_OK);
  EXPECT_EQ(_dispatcher->GetCommandCount(), 0);
  EXPECT_EQ(ZELFastenerDisplay::Instance().CountWeldPointsHidden(), 0u);
}

TEST_F(ZELVekBIWAssignWeldCmdTest, PickingTheRootWarnsAndKeepsTheActivity) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Choose("ComboActivityId", 1), S_OK);
  ASSERT_EQ(Pick({_root}), S_OK);
  EXPECT_THAT(Boxes(), ElementsAre("box 0x10100200 \"WARNING\" \"Assignment to the root process is not allowed.\" -> OK"));
  EXPECT_EQ(QIVBaseUnknown_var(Dialog()->GetCurrentActivity()), _welding2);
  EXPECT_EQ(Widget<QIVDlgCombo>("ComboActivityId")->GetSelect(), 1);
  EXPECT_EQ(QIVFrmEditor::GetCurrentEditor()->GetCSO()->GetSize(), 0);
}

TEST_F(ZELVekBIWAssignWeldCmdTest, PickingAnActivityOutsideTheComboAppendsIt) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Pick({_loading}), S_OK);
  EXPECT_THAT(ComboLines("ComboActivityId"),
              ElementsAre("SpotWelding.1 (SpotWelding.1<-Station.1<-Process )",
                          "SpotWelding.2 (SpotWelding.2<-Station.1<-Process )",
                          "SealantApplication.1 (SealantApplication.1<-Station.1<-Process )",
                          "Loading.1 (Loading.1<-Station.1<-Process )"));
  EXPECT_EQ(Widget<QIVDlgCombo>("ComboActivityId")->GetSelect(), 3);
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("No qualified fasteners for selected activity."));
  // Picking a listed one selects its line.
  ASSERT_EQ(Pick({_welding1}), S_OK);
  EXPECT_EQ(Widget<QIVDlgCombo>("ComboActivityId")->GetSelect(), 0);
  EXPECT_EQ(ComboLines("ComboActivityId").size(), 4u);
  EXPECT_THAT(Boxes(), IsEmpty());
}

TEST_F(ZELVekBIWAssignWeldCmdTest, PickingAProductChoosesItAndProductsWithoutFastenersAreRefused) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Pick({_side}), S_OK);
  EXPECT_EQ(Widget<QIVDlgCombo>("ComboProductId")->GetSelect(), 1);
  EXPECT_THAT(Lines("SelectListLeftId"), ElementsAre("W5"));
  EXPECT_EQ(Pick({_body}), E_FAIL);
  EXPECT_EQ(Widget<QIVDlgCombo>("ComboProductId")->GetSelect(), 1);
}

TEST_F(ZELVekBIWAssignWeldCmdTest, PickingFastenersSelectsTheirLinesInEitherList) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Pick({_w2}), S_OK);
  EXPECT_THAT(SelectedLines("SelectListLeftId"), ElementsAre("W2"));
  ASSERT_EQ(Pick({_w4}), S_OK);
  EXPECT_THAT(SelectedLines("SelectListLeftId"), IsEmpty());
  EXPECT_THAT(SelectedLines("SelectListRightId"), ElementsAre("W4(*)"));
  // A fastener of another product has no line: dropped.
  ASSERT_EQ(Pick({_w5, _w1}), S_OK);
  EXPECT_THAT(SelectedLines("SelectListLeftId"), ElementsAre("W1"));
  EXPECT_THAT(SelectedLines("SelectListRightId"), IsEmpty());
}

TEST_F(ZELVekBIWAssignWeldCmdTest, ExtendingPickAddsAndPickingAgainDeselects) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Pick({_w1}), S_OK);
  ASSERT_EQ(Pick({_w3, _w4}, QIVPickModifier::Extend), S_OK);
  EXPECT_THAT(SelectedLines("SelectListLeftId"), ElementsAre("W1", "W3"));
  EXPECT_THAT(SelectedLines("SelectListRightId"), ElementsAre("W4(*)"));
  ASSERT_EQ(Pick({_w1}, QIVPickModifier::Extend), S_OK);
  EXPECT_THAT(SelectedLines("SelectListLeftId"), ElementsAre("W3"));
  EXPECT_THAT(SelectedLines("SelectListRightId"), ElementsAre("W4(*)"));
  // Assign acts on the lines picked.
  ASSERT_EQ(Press("PushButtonAssignId"), S_OK);
  EXPECT_THAT(Lines("SelectListRightId"), ElementsAre("W3(*)", "W4(*)"));
}
