#include "assignment/ZELVekBIWAssignWeldCmd.h"

#include <gmock/gmock.h>

#include "AssignWeldTestSupport.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ZELVekBIWAssignWeldCmdTest = AssignWeldTest;

TEST_F(ZELVekBIWAssignWeldCmdTest, WindowCloseEndsTheCommand) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(PressDialog(QIVNotificationKind::WindowClose), S_OK);
  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
  EXPECT_EQ(ZELFastenerDisplay::Instance().CountWeldPointsHidden(), 0u);
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

