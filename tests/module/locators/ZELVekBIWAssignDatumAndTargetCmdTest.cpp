#include <gmock/gmock.h>

#include "LocatorTestSupport.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgSelectorList.h"
#include "QIVFrmEditor.h"
#include "locators/ZELVekBIWAssignDatumAndTargetCmd.h"
#include "locators/ZELVekBIWAssignDatumAndTargetDlg.h"
#include "locators/ZELVekBIWLocatorsAssignFailureDlg.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class ZELVekBIWAssignDatumAndTargetCmdTest : public LocatorTestSession {
 protected:
  ZELVekBIWAssignDatumAndTargetCmd* StartCommand() {
    EXPECT_EQ(Start("ZELVekBIWAssignDatumAndTargetCmd"), S_OK);
    _held = dynamic_cast<ZELVekBIWAssignDatumAndTargetCmd*>(Dispatcher().GetActiveCommand());
    return _held.get();
  }
  void TearDown() override {
    _held = nullptr;
    LocatorTestSession::TearDown();
  }
  static std::vector<std::string> Lines(const QIVDlgSelectorList* list) {
    std::vector<std::string> lines;
    for (int row = 0; row < list->GetLineCount(); ++row) lines.push_back(list->GetLine(row).str());
    return lines;
  }
  std::vector<Row> Failures() const { return Rows(_held->GetFailureDialog()->GetMultiList()); }
  std::string State() const {
    return _held->GetCurrentState() ? _held->GetCurrentState()->GetName().str() : "";
  }

  QIVVar<ZELVekBIWAssignDatumAndTargetCmd> _held;
};

}  // namespace

TEST_F(ZELVekBIWAssignDatumAndTargetCmdTest, PicksAreListedOnceInPickingOrderWithGroupsAndProductsExpanded) {
  ZELVekBIWAssignDatumAndTargetCmd* command = StartCommand();
  ASSERT_NE(command, nullptr);
  QIVBaseUnknown_var locatingGroup;
  FastenerFactory()->GetTopLocatingPointGroup(locatingGroup);

  ASSERT_EQ(Pick({_d1}), S_OK);
  ASSERT_EQ(Pick({_lp2, _d1, _t1}), S_OK);
  ASSERT_EQ(Pick({locatingGroup}), S_OK);  // LP1 and LP3 join LP2
  ASSERT_EQ(Pick({_floor}), S_OK);         // only CP1 is new among the floor's locators
  ASSERT_EQ(Pick({_load, _load, _station}), S_OK);

  EXPECT_THAT(NamesOf(command->GetDatumList()), ElementsAre("D1"));
  EXPECT_THAT(NamesOf(command->GetDatumTargetList()), ElementsAre("T1"));
  EXPECT_THAT(NamesOf(command->GetLocatorList()), ElementsAre("LP2", "LP1", "LP3", "CP1"));
  EXPECT_THAT(NamesOf(command->GetActivityList()), ElementsAre("Load", "Station.1"));
  EXPECT_THAT(Lines(command->GetAssignDialog()->GetItemsList()),
              ElementsAre("D1", "LP2", "T1", "LP1", "LP3", "CP1"));
  EXPECT_THAT(Lines(command->GetAssignDialog()->GetActivitiesList()), ElementsAre("Load", "Station.1"));
  EXPECT_EQ(QIVFrmEditor::GetCurrentEditor()->GetCSO()->GetSize(), 8);

  // The remove buttons take the selected line out of the list and the
  // selection.
  ASSERT_EQ(Dispatcher().Deliver(QIVWidgetEvent::Select("listLocators", {1})), S_OK);
  ASSERT_EQ(Dispatcher().Deliver(QIVWidgetEvent::Press("removeLocators")), S_OK);
  ASSERT_EQ(Dispatcher().Deliver(QIVWidgetEvent::Select("listActivities", {0})), S_OK);
  ASSERT_EQ(Dispatcher().Deliver(QIVWidgetEvent::Press("removeActivities")), S_OK);
  EXPECT_THAT(NamesOf(command->GetLocatorList()), ElementsAre("LP1", "LP3", "CP1"));
  EXPECT_THAT(NamesOf(command->GetActivityList()), ElementsAre("Station.1"));
  EXPECT_THAT(Lines(command->GetAssignDialog()->GetItemsList()),
              ElementsAre("D1", "T1", "LP1", "LP3", "CP1"));
  EXPECT_EQ(QIVFrmEditor::GetCurrentEditor()->GetCSO()->GetSize(), 6);
}

TEST_F(ZELVekBIWAssignDatumAndTargetCmdTest, OKWithAnEmptyColumnKeepsCollectingAndCancelAssignsNothing) {
  ZELVekBIWAssignDatumAndTargetCmd* command = StartCommand();
  ASSERT_NE(command, nullptr);
  ASSERT_EQ(PressDialog("OK"), S_OK);  // nothing at all
  EXPECT_EQ(State(), "State1");
  ASSERT_EQ(Pick({_lp1}), S_OK);
  ASSERT_EQ(PressDialog("OK"), S_OK);  // no activity
  EXPECT_EQ(State(), "State1");
  EXPECT_TRUE(command->GetAssignDialog()->IsShown());
  ASSERT_EQ(Pick({_load}), S_OK);
  ASSERT_EQ(PressDialog("Cancel"), S_OK);
  EXPECT_TRUE(command->IsEnded());
  EXPECT_THAT(Items(_load), IsEmpty());
  EXPECT_THAT(Transcript(), ::testing::Contains("command ended ZELVekBIWAssignDatumAndTargetCmd"));
}

TEST_F(ZELVekBIWAssignDatumAndTargetCmdTest, RefusalsAreListedWithTheirReasonAndTheReportWaitsForOK) {
  QIVISPPItemMgt_var(_load)->AddItem(_d1);
  ZELVekBIWAssignDatumAndTargetCmd* command = StartCommand();
  ASSERT_NE(command, nullptr);
  ASSERT_EQ(Pick({_d1, _t1, _lp1, _lp3, _cp1, _cp2}), S_OK);
  ASSERT_EQ(Pick({_load, _clamp}), S_OK);
  ASSERT_EQ(PressDialog("OK"), S_OK);

  EXPECT_EQ(State(), "State2");
  EXPECT_FALSE(command->GetAssignDialog()->IsShown());
  EXPECT_TRUE(command->GetFailureDialog()->IsShown());
  // Roof is loaded by no activity of the station; clamping points do not
  // suit loading, nor locating points clamping.
  EXPECT_THAT(
      Failures(),
      ElementsAre(
          Row{"1", "", "Floor", "", "Load", "Item already assigned to the activity."},
          Row{"2", "CP1", "Floor", "swing clamp", "Load", "Activity type does not match with Item type."},
          Row{"3", "CP2", "Roof", "", "Load", "Activity type does not match with Item type."},
          Row{"4", "LP1", "Floor", "4-way pin", "Clamp", "Activity type does not match with Item type."},
          Row{"5", "LP3", "Side", "", "Clamp", "Activity type does not match with Item type."},
          Row{"6", "CP2", "Roof", "", "Clamp", "Associated part(s) not previously loaded."}));
  EXPECT_THAT(Items(_load), ElementsAre("D1", "T1", "LP1", "LP3"));
  EXPECT_THAT(Items(_clamp), ElementsAre("D1", "T1", "CP1"));

  ASSERT_EQ(PressDialog("OK", "ZELVekBIWLocatorsAssignFailureDlg"), S_OK);
  EXPECT_TRUE(command->IsEnded());
  EXPECT_FALSE(command->GetFailureDialog()->IsShown());
}

TEST_F(ZELVekBIWAssignDatumAndTargetCmdTest, WithNothingRefusedTheReportDoesNotWait) {
  ZELVekBIWAssignDatumAndTargetCmd* command = StartCommand();
  ASSERT_NE(command, nullptr);
  ASSERT_EQ(Pick({_floor, _station}), S_OK);
  ASSERT_EQ(PressDialog("OK"), S_OK);
  EXPECT_TRUE(command->IsEnded());
  EXPECT_THAT(Failures(), IsEmpty());
  EXPECT_FALSE(command->GetFailureDialog()->IsShown());
  EXPECT_THAT(Items(_station), ElementsAre("LP1", "LP2", "CP1"));
}
