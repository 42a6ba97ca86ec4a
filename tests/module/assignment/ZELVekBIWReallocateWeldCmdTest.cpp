#include <gmock/gmock.h>

#include "AssignWeldTestSupport.h"
#include "QIVPathElement.h"
#include "QIVSettingsRepository.h"
#include "ZELVekBIWSettingsServices.h"
#include "assignment/ZELVekBIWReallocateWeldCmd.h"
#include "assignment/ZELVekBIWReallocateWeldDlg.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The fixture's session with W1, W2 and W3 joining W4 on SpotWelding.1,
// the reallocation started on it as origin.
class ZELVekBIWReallocateWeldCmdTest : public AssignWeldTest {
 protected:
  void SetUp() override {
    AssignWeldTest::SetUp();
    QIVListValQIVBaseUnknown_var more{_w3, _w1, _w2};
    ZELFastenerServices::AssignListOfWelds(&more, _welding1, nullptr, 0);
  }
  void TearDown() override {
    SetPartLoadConstraint(false);
    AssignWeldTest::TearDown();
  }
  static void SetPartLoadConstraint(bool on) {
    QIVSettingsRepository::GetRepository(ZELVekBIWSettingsServices::RepositoryName)
        .SetBool("PartLoadConstraint", on);
  }
  HRESULT StartOn(const QIVBaseUnknown_var& origin) {
    if (FAILED(Deliver(QIVStartEvent{"ZELVekBIWReallocateWeldCmd"}))) return E_FAIL;
    return Pick({origin});
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    const auto* list = Widget<QIVDlgMultiList>("ListAssignedWeldId");
    for (int row = 0; list && row < list->GetRowCount(); ++row)
      rows.push_back(list->GetCell(row, 0).str() + " | " + list->GetCell(row, 1).str());
    return rows;
  }
  std::vector<std::string> Assigned(const QIVBaseUnknown_var& activity) const {
    QIVListValQIVBaseUnknown_var fasteners;
    ZELFastenerServices::GetWeldFromActivity(activity, fasteners, 0, 0);
    return NamesOf(fasteners);
  }
};

}  // namespace

TEST_F(ZELVekBIWReallocateWeldCmdTest, ListsTheOriginsFastenersByIdentifierAndMovesTheSelectionAtOnce) {
  ASSERT_EQ(StartOn(_welding1), S_OK);
  EXPECT_THAT(Rows(), ElementsAre("W1, A | spot weld", "W2, A | spot weld", "W3, A | spot weld",
                                  "W4, B | spot weld"));
  EXPECT_EQ(Text("EditorNumberId"), "4");
  ASSERT_EQ(Select("ListAssignedWeldId", {0, 2}), S_OK);
  EXPECT_EQ(QIVFrmEditor::GetCurrentEditor()->GetCSO()->GetSize(), 2);
  ASSERT_EQ(Pick({_welding2}), S_OK);

  EXPECT_THAT(Assigned(_welding2), ElementsAre("W1, A", "W3, A"));
  EXPECT_THAT(Rows(), ElementsAre("W2, A | spot weld", "W4, B | spot weld"));
  EXPECT_EQ(Text("EditorNumberId"), "2");
  EXPECT_THAT(Boxes(), IsEmpty());
  // The destination came through the activity picker, which handed it back.
  EXPECT_THAT(Transcript(), Contains("command ended ZELVekBIWSelectActivityMultiCmd"));
  EXPECT_EQ(Dispatcher().GetActiveCommandClass(), "ZELVekBIWReallocateWeldCmd");
  // 2 s a weld: the cycle times follow the moved welds.
  EXPECT_DOUBLE_EQ(CycleTime(_welding1), 4);
  EXPECT_DOUBLE_EQ(CycleTime(_welding2), 4);

  // The next batch, picked in the view, the second pick extending the first.
  ASSERT_EQ(Pick({_w4}), S_OK);
  ASSERT_EQ(Pick({_w2}, QIVPickModifier::Extend), S_OK);
  ASSERT_EQ(Pick({_w4}, QIVPickModifier::Extend), S_OK);
  EXPECT_THAT(NamesOf(dynamic_cast<ZELVekBIWReallocateWeldCmd*>(Dispatcher().GetActiveCommand())
                          ->GetDialog()
                          ->GetSelectedWelds()),
              ElementsAre("W2, A"));
  ASSERT_EQ(Pick({_welding2}), S_OK);
  EXPECT_THAT(Assigned(_welding2), ElementsAre("W1, A", "W3, A", "W2, A"));
  EXPECT_THAT(Rows(), ElementsAre("W4, B | spot weld"));
}

struct RefusedDestination {
  // The activity picked as destination.
  const char* name;
  // The box shown; empty when the pick itself is refused.
  const char* box;
};

class ZELVekBIWReallocateRefusalTest : public ZELVekBIWReallocateWeldCmdTest,
                                       public ::testing::WithParamInterface<RefusedDestination> {
 protected:
  QIVBaseUnknown_var Destination() const {
    const std::string name = GetParam().name;
    return name == "Origin" ? _welding1 : name == "Root" ? _root : name == "Station" ? _station : _sealing;
  }
};

// Nothing moves onto the origin (a notice), the process root or an activity
// the selected fasteners do not fit (the pick is refused).
TEST_P(ZELVekBIWReallocateRefusalTest, MovesNothing) {
  ASSERT_EQ(StartOn(_welding1), S_OK);
  ASSERT_EQ(Select("ListAssignedWeldId", {0, 1}), S_OK);
  const std::string before = SavedText();
  const HRESULT picked = Pick({Destination()});
  EXPECT_EQ(SUCCEEDED(picked), *GetParam().box != '\0');
  if (*GetParam().box) {
    EXPECT_THAT(Boxes(), ElementsAre(::testing::HasSubstr(GetParam().box)));
  }
  EXPECT_EQ(SavedText(), before);
  EXPECT_EQ(Rows().size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, ZELVekBIWReallocateRefusalTest,
    ::testing::Values(
        RefusedDestination{"Origin",
                           "\"NOTICE\" \"One or more selected fasteners are already assigned to the \\n "
                           "targeted activity. No action will be taken on those fasteners\""},
        RefusedDestination{"Root", ""}, RefusedDestination{"WrongFastenerType", ""},
        RefusedDestination{"Station", ""}),
    [](const ::testing::TestParamInfo<RefusedDestination>& info) { return std::string(info.param.name); });

class ZELVekBIWReallocatePartLoadTest : public ZELVekBIWReallocateWeldCmdTest,
                                        public ::testing::WithParamInterface<bool> {};

// No part reaches the station: with the constraint on, the selection is
// left where it is and the planner told so; off, it moves.
TEST_P(ZELVekBIWReallocatePartLoadTest, TheConstraintKeepsFastenersOfPartsNotLoaded) {
  SetPartLoadConstraint(GetParam());
  ASSERT_EQ(StartOn(_welding1), S_OK);
  ASSERT_EQ(Select("ListAssignedWeldId", {0}), S_OK);
  ASSERT_EQ(Pick({_welding2}), S_OK);
  if (GetParam()) {
    EXPECT_THAT(Boxes(),
                ElementsAre("box 0x10100200 \"Warning\" \"One or more fasteners are not from the loaded "
                            "parts.\\nThese fasteners will not be reallocated.\" -> OK"));
    EXPECT_THAT(Assigned(_welding2), IsEmpty());
  } else {
    EXPECT_THAT(Boxes(), IsEmpty());
    EXPECT_THAT(Assigned(_welding2), ElementsAre("W1, A"));
  }
}

INSTANTIATE_TEST_SUITE_P(Constraint, ZELVekBIWReallocatePartLoadTest, ::testing::Bool());

TEST_F(ZELVekBIWReallocateWeldCmdTest, AnOriginWithoutFastenersIsToldAndEndsTheRun) {
  ASSERT_EQ(StartOn(_welding2), S_OK);
  EXPECT_THAT(Boxes(),
              ElementsAre("box 0x4100200 \"Information\" \"The activity contains no fasteners.\" -> OK"));
  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
  EXPECT_EQ(Dispatcher().GetLastOutcome()->ending, QIVCommandOutcome::Ending::Ended);
}

TEST_F(ZELVekBIWReallocateWeldCmdTest, ClosingBeforeAnyMoveLeavesTheDocumentAsItWas) {
  const std::string before = SavedText();
  ASSERT_EQ(StartOn(_welding1), S_OK);
  ASSERT_EQ(Select("ListAssignedWeldId", {0, 1, 2}), S_OK);
  ASSERT_EQ(PressDialog(QIVDialog::GetDiaCANCELNotification()), S_OK);
  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
  EXPECT_EQ(SavedText(), before);
}
