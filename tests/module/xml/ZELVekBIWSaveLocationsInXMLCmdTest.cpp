#include <gmock/gmock.h>

#include <sstream>

#include "LocationExportTestSupport.h"
#include "QIVEnvironment.h"
#include "QIVTrace.h"
#include "xml/ZELVekBIWSaveLocationsInXMLCmd.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
class ZELVekBIWSaveLocationsInXMLCmdTest : public LocationExportTest {};
}  // namespace

TEST_F(ZELVekBIWSaveLocationsInXMLCmdTest, StartsWithEverySpotWeldSortedByIdentifier) {
  ZELVekBIWSaveLocationsInXMLCmd* command = Start();
  ASSERT_NE(command, nullptr);
  EXPECT_THAT(ListedLines(), ElementsAre("W0001, A", "W0002, A", "W0003, A", "W0010, B"));
  EXPECT_EQ(WeldCount(), "4");
  EXPECT_TRUE(Dialog()->GetRefProductEditor()->GetText().IsEmpty());
  EXPECT_EQ(command->GetCurrentState()->GetName(), "State1");
  EXPECT_THAT(Transcript(),
              ElementsAre("command started ZELVekBIWSaveLocationsInXMLCmd",
                          "dialog shown pZELVekBIWSaveLocationsInXMLDlg \"Save Weld Locations in XML\""));
}

TEST_F(ZELVekBIWSaveLocationsInXMLCmdTest, PickingListedWeldsSelectsThemWithoutAddingThem) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Pick({_w2}), S_OK);
  EXPECT_THAT(SelectedLines(), ElementsAre("W0002, A"));
  EXPECT_THAT(CSONames(), ElementsAre("W0002, A"));
  ASSERT_EQ(Pick({_w2}), S_OK);
  EXPECT_THAT(SelectedLines(), ElementsAre("W0002, A"));

  // A new pick replaces the selection; a weld reached twice in one pick
  // (itself and through its joint body) is selected once.
  ASSERT_EQ(Pick({_w3, _w1, _jointBody1}), S_OK);
  EXPECT_THAT(SelectedLines(), ElementsAre("W0003, A", "W0001, A"));
  EXPECT_THAT(CSONames(), ElementsAre("W0003, A", "W0001, A"));
  EXPECT_EQ(ListedLines().size(), 4u);
  EXPECT_EQ(WeldCount(), "4");
}

TEST_F(ZELVekBIWSaveLocationsInXMLCmdTest, PickingAGroupAddsItsSpotWeldsOnceThenSelectsThem) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(SelectLines({1, 3}), S_OK);
  ASSERT_EQ(Press("pRemoveWeldsPushButton"), S_OK);
  EXPECT_THAT(ListedLines(), ElementsAre("W0001, A", "W0003, A"));
  EXPECT_EQ(WeldCount(), "2");
  EXPECT_THAT(CSONames(), IsEmpty());

  // Added at the end, not selected; the curve fastener is no spot weld.
  ASSERT_EQ(Pick({_jointBody2}), S_OK);
  EXPECT_THAT(ListedLines(), ElementsAre("W0001, A", "W0003, A", "W0002, A", "W0010, B"));
  EXPECT_EQ(WeldCount(), "4");
  EXPECT_THAT(SelectedLines(), IsEmpty());

  ASSERT_EQ(Pick({_jointBody2}), S_OK);
  EXPECT_EQ(ListedLines().size(), 4u);
  EXPECT_THAT(SelectedLines(), ElementsAre("W0002, A", "W0010, B"));
  EXPECT_THAT(CSONames(), ElementsAre("W0002, A", "W0010, B"));
}

TEST_F(ZELVekBIWSaveLocationsInXMLCmdTest, OnlyWeldsGroupsAndProductsArePicked) {
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(Pick({_bead}), E_FAIL);
  QIVBaseUnknown_var root;
  Document()->GetRootActivity(root);
  EXPECT_EQ(Pick({root}), E_FAIL);
  EXPECT_THAT(SelectedLines(), IsEmpty());
  EXPECT_TRUE(Dialog()->GetRefProduct().IsNull());
}

TEST_F(ZELVekBIWSaveLocationsInXMLCmdTest, APickedProductBecomesTheReferenceUntilRemoved) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Pick({_w1}), S_OK);
  ASSERT_EQ(Pick({_floor}), S_OK);
  EXPECT_EQ(Dialog()->GetRefProductEditor()->GetText(), "Floor");
  EXPECT_TRUE(Dialog()->GetRefProduct() == _floor);
  EXPECT_THAT(CSONames(), ElementsAre("W0001, A", "Floor"));

  ASSERT_EQ(Pick({_body}), S_OK);
  EXPECT_EQ(Dialog()->GetRefProductEditor()->GetText(), "Body");

  ASSERT_EQ(Press("pRemoveRefProductPushButton"), S_OK);
  EXPECT_TRUE(Dialog()->GetRefProductEditor()->GetText().IsEmpty());
  EXPECT_TRUE(Dialog()->GetRefProduct().IsNull());
  EXPECT_THAT(CSONames(), ElementsAre("W0001, A"));
}

TEST_F(ZELVekBIWSaveLocationsInXMLCmdTest, CancelOrClosingTheWindowEndsTheCommand) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(PressDialog(QIVNotificationKind::Cancel), S_OK);
  EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);
  EXPECT_THAT(Transcript(), Contains("command ended ZELVekBIWSaveLocationsInXMLCmd"));

  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(PressDialog(QIVNotificationKind::WindowClose), S_OK);
  EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);

  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Deliver(QIVCancelEvent{}), S_OK);
  EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);
  EXPECT_THAT(Transcript(), Contains("dialog hidden pZELVekBIWSaveLocationsInXMLDlg"));
}

