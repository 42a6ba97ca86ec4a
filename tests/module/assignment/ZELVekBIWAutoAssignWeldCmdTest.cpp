#include "assignment/ZELVekBIWAutoAssignWeldCmd.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "StickyJointBody.h"
#include "QIVDlgMultiList.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemLink.h"
#include "QIVISPPItemMgt.h"
#include "ZELEMfgAssemblyFactory.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivityFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "assignment/ZELVekBIWAutoAssignWeldDlg.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
using Row = std::vector<std::string>;

// The body with the automatic assignment command to drive.
class ZELVekBIWAutoAssignWeldCmdTest : public StickyJointBody {
 protected:
  void TearDown() override {
    _held = nullptr;
    StickyJointBody::TearDown();
  }

  // Starts the command with the activity, or waiting for a pick without
  // one; keeps a reference so that the command can be read after it ended.
  ZELVekBIWAutoAssignWeldCmd* Start(const QIVBaseUnknown_var& activity) {
    if (FAILED(Deliver(QIVStartEvent("ZELVekBIWAutoAssignWeldCmd", std::nullopt, activity.get())))) return nullptr;
    _held = dynamic_cast<ZELVekBIWAutoAssignWeldCmd*>(Dispatcher().GetActiveCommand());
    return _held.get();
  }
  HRESULT Select(std::vector<int> rows) { return Deliver(QIVWidgetEvent::Select("MultiList", rows)); }

  std::vector<Row> Table() const {
    std::vector<Row> rows;
    const auto* list = _held && _held->GetDialog() ? _held->GetDialog()->GetMultiList() : nullptr;
    for (int row = 0; list && row < list->GetRowCount(); ++row)
      rows.push_back({list->GetCell(row, 0).str(), list->GetCell(row, 1).str(), list->GetCell(row, 2).str()});
    return rows;
  }
  std::vector<std::string> TranscriptLines(const char* prefix) const {
    std::vector<std::string> lines;
    for (const std::string& line : Transcript())
      if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
  }

  QIVVar<ZELVekBIWAutoAssignWeldCmd> _held;
};

TEST_F(ZELVekBIWAutoAssignWeldCmdTest, AssignableActivitiesComeDeepestFirstAndTheChosenLast) {
  QIVBaseUnknown_var second;
  QIVISPPChildManagement_var(_station)->CreateChild("BIWActivitySpotWelding", second);
  QIVISPPActivity_var(second)->SetName("Second");
  std::unique_ptr<QIVListValQIVBaseUnknown_var> descendants;
  ZELVekBIWAutoAssignWeldCmd::GetAllChildren(_station, descendants);
  ASSERT_NE(descendants, nullptr);
  EXPECT_THAT(NamesOf(*descendants), ElementsAre("Inner", "Outer", "Second"));

  // Picked, so that the command can be read after the box ended it.
  ZELVekBIWAutoAssignWeldCmd* command = Start(nullptr);
  ASSERT_NE(command, nullptr);
  ASSERT_EQ(Pick({_station}), S_OK);
  ASSERT_NE(command->GetAssignableActivities(), nullptr);
  EXPECT_THAT(NamesOf(*command->GetAssignableActivities()), ElementsAre("Inner", "Outer", "Second", "Station.1"));
  // An activity without children is its own only candidate.
  command->GetListOfAssignableActivitiesV2(_inner);
  EXPECT_THAT(NamesOf(*command->GetAssignableActivities()), ElementsAre("Inner"));
  second = nullptr;
}

TEST_F(ZELVekBIWAutoAssignWeldCmdTest, AFastenerValidForAChildAndItsParentGoesToTheChild) {
  Give(_outer, {_floor, _side});
  Give(_inner, {_floor, _side});
  ZELVekBIWAutoAssignWeldCmd* command = Start(_outer);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->GetCurrentState()->GetName().str(), "pState2");
  // The sealant of the same joint does not fit spot welding.
  EXPECT_THAT(Table(), ElementsAre(Row{"1", "W1, A", "Inner"}, Row{"2", "W2, A", "Inner"}));
  EXPECT_THAT(NamesOf(command->GetActivitiesToAssign()), ElementsAre("Inner", "Inner"));
  EXPECT_TRUE(command->GetDialog()->IsShown());
  EXPECT_THAT(Boxes(), IsEmpty());
}

TEST_F(ZELVekBIWAutoAssignWeldCmdTest, IncomingAssembliesCoverOnlyJointsTheyDoNotHoldWhole) {
  // Floor comes in the assembly, Tunnel in its sub-assembly: the floor to
  // tunnel joint was made before, inside the assembly. The tunnel to roof
  // joint joins the assembly to the plain roof; the floor to side joint
  // lacks the side.
  const QIVBaseUnknown_var sub = Assembly({_tunnel});
  const QIVBaseUnknown_var assembly = Assembly({_floor});
  ZELIMfgAssembly_var(assembly)->AddPart(sub);
  Give(_inner, {assembly, _roof});

  QIVListValQIVBaseUnknown_var parts;
  ZELVekBIWAutoAssignWeldCmd::GetAllPartsFromMfgAssembly(assembly, parts);
  ASSERT_EQ(parts.Size(), 2);
  EXPECT_TRUE(parts[1] == _floor && parts[2] == _tunnel);

  ZELVekBIWAutoAssignWeldCmd* command = Start(_inner);
  ASSERT_NE(command, nullptr);
  EXPECT_THAT(NamesOf(command->GetStickyFasteners(QIVISPPItemMgt_var(_inner)->GetItems("Item"))),
              ElementsAre("Assembly Joint.3"));
  EXPECT_THAT(Table(), ElementsAre(Row{"1", "W4, C", "Inner"}));
}

TEST_F(ZELVekBIWAutoAssignWeldCmdTest, RemoveRenumbersAndOKAssignsWhatIsLeftAndUpdatesTheCycleTime) {
  QIVISPPActivity_var(_outer)->SetAttribute("PointFasteningRate", 2.5);
  Give(_outer, {_floor, _side, _tunnel, _roof});
  ZELVekBIWAutoAssignWeldCmd* command = Start(_outer);
  ASSERT_NE(command, nullptr);
  ASSERT_THAT(Table(), ElementsAre(Row{"1", "W1, A", "Outer"}, Row{"2", "W2, A", "Outer"},
                                   Row{"3", "W3, B", "Outer"}, Row{"4", "W4, C", "Outer"}));
  ASSERT_EQ(Select({2, 0}), S_OK);
  ASSERT_EQ(Press("Remove"), S_OK);
  EXPECT_THAT(Table(), ElementsAre(Row{"1", "W2, A", "Outer"}, Row{"2", "W4, C", "Outer"}));
  EXPECT_THAT(NamesOf(command->GetWeldsToAssign()), ElementsAre("W2, A", "W4, C"));
  EXPECT_THAT(Assigned(_outer), IsEmpty());

  const int w4Position = command->GetUnassignedWelds().Locate(_w4);
  ASSERT_EQ(PressDialog(QIVNotificationKind::OK), S_OK);
  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
  EXPECT_THAT(Assigned(_outer), ElementsAre("W2, A", "W4, C"));
  QIVBaseUnknown_var link;
  int first = 0, second = 0;
  QIVISPPItemMgt_var(_outer)->GetItemLink(_w2, link);
  QIVISPPItemLink_var(link)->GetOptions(first, second);
  EXPECT_EQ(first, 4);
  EXPECT_EQ(second, 1);
  double seconds = 0;
  QIVISPPActivity_var(_outer)->GetCycleTime(seconds);
  EXPECT_DOUBLE_EQ(seconds, 5.0);
  // Assigned entries are emptied where they stand.
  EXPECT_TRUE(command->GetUnassignedWelds()[w4Position].IsNull());
  EXPECT_EQ(command->GetUnassignedWelds().Size(), 5);
}

TEST_F(ZELVekBIWAutoAssignWeldCmdTest, WithoutAnActivityTheCommandWaitsForOne) {
  Give(_inner, {_floor, _side});
  ZELVekBIWAutoAssignWeldCmd* command = Start(nullptr);
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->GetCurrentState()->GetName().str(), "pState1");
  EXPECT_EQ(command->GetDialog(), nullptr);
  EXPECT_EQ(Pick({_floor}), E_FAIL) << "only an activity is taken";
  ASSERT_EQ(Pick({_inner}), S_OK);
  EXPECT_EQ(command->GetCurrentState()->GetName().str(), "pState2");
  EXPECT_THAT(Table(), ElementsAre(Row{"1", "W1, A", "Inner"}, Row{"2", "W2, A", "Inner"}));
  // Given an activity, the command has no pick agent at all.
  ASSERT_EQ(PressDialog(QIVNotificationKind::WindowClose), S_OK);
  ASSERT_NE(Start(_inner), nullptr);
  EXPECT_EQ(_held->GetSelectActivityAgent(), nullptr);
  EXPECT_EQ(_held->GetCurrentState()->GetName().str(), "pState2");
}

TEST_F(ZELVekBIWAutoAssignWeldCmdTest, CancelLeavesTheDocumentAsItWas) {
  Give(_outer, {_floor, _side, _tunnel, _roof});
  const std::string before = SavedText();
  for (const char* close : {QIVNotificationKind::Cancel, QIVNotificationKind::WindowClose}) {
    ASSERT_NE(Start(_outer), nullptr);
    ASSERT_EQ(Select({1}), S_OK);
    ASSERT_EQ(Press("Remove"), S_OK);
    ASSERT_EQ(PressDialog(close), S_OK);
    EXPECT_EQ(Dispatcher().GetCommandCount(), 0) << close;
    EXPECT_EQ(SavedText(), before) << close;
  }
}

TEST_F(ZELVekBIWAutoAssignWeldCmdTest, AssignedFastenersAreNeverProposedAndNothingLeftIsTold) {
  Give(_outer, {_floor, _side});
  // W1 is assigned in this document, W2 in the plant's repository.
  QIVListValQIVBaseUnknown_var one{_w1};
  ASSERT_EQ(ZELFastenerServices::AssignListOfWelds(&one, _inner, nullptr, 0), S_OK);
  ZELIBIWFastener_var(_w2)->AddExternalAssignment("Plant/Line 2/Station 40");
  ZELVekBIWAutoAssignWeldCmd* command = Start(nullptr);
  ASSERT_NE(command, nullptr);
  ASSERT_EQ(Pick({_outer}), S_OK);
  EXPECT_THAT(NamesOf(command->GetUnassignedWelds()), ElementsAre("S1", "W3, B", "W4, C"));
  EXPECT_EQ(command->GetReasonCode(), 3);
  EXPECT_EQ(command->GetDialog(), nullptr);
  EXPECT_THAT(Boxes(),
              ElementsAre("box 0x10100200 \"Automatic Fastener Assignment\" \"There is no fastener to assign: no "
                          "unassigned fastener joins only parts that reach the chosen activity or the activities "
                          "below it, or none fits their kind.\" -> OK"));
  // Closing the box ended the command.
  EXPECT_THAT(TranscriptLines("command ended"), ElementsAre("command ended ZELVekBIWAutoAssignWeldCmd"));
  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
}

}  // namespace
