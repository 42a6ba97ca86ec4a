#include <gmock/gmock.h>

#include "AssignWeldTestSupport.h"
#include "QIVSettingsRepository.h"
#include "ZELBIWPreviewWindow.h"
#include "ZELEMfgAssemblyFactory.h"
#include "ZELVekBIWSettingsServices.h"
#include "assignment/ZELVekPreviewWindowManager.h"
#include "assignment/ZELVekPreviewWindowManagerCmd.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

// The fixture's session with J1 joining Floor and Side, and the preview
// command started.
class ZELVekPreviewWindowManagerCmdTest : public AssignWeldTest {
 protected:
  void SetUp() override {
    AssignWeldTest::SetUp();
    QIVBaseUnknown_var top;
    _factory->GetTopGroup(top);
    _j1 = Point(top, "J1, AB", _floor);
    _relations->SetRelatedParts(_j1, QIVListValQIVBaseUnknown_var{_floor, _side}, true);
  }
  void TearDown() override {
    _j1 = nullptr;
    QIVSettingsRepository::GetRepository(ZELVekBIWSettingsServices::RepositoryName)
        .SetBool("PartLoadConstraint", false);
    AssignWeldTest::TearDown();
  }
  ZELVekPreviewWindowManagerCmd* StartPreview() {
    if (FAILED(Deliver(QIVStartEvent{"ZELVekPreviewWindowManagerCmd"}))) return nullptr;
    return dynamic_cast<ZELVekPreviewWindowManagerCmd*>(Dispatcher().GetActiveCommand());
  }
  // Name, then state and description, of each fastener row.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    const auto* list = Widget<QIVDlgMultiList>("pWeldsMultiList");
    for (int row = 0; list && row < list->GetRowCount(); ++row)
      rows.push_back(list->GetCell(row, 1).str() +
                     (list->GetCell(row, 3).str() == "I_AssignmentOK" ? " ok" : " ko") +
                     list->GetCell(row, 4).str());
    return rows;
  }
  static ZELVekPreviewWindowManager& Manager() {
    return *ZELVekPreviewWindowManager::GetZELVekPreviewWindowManager();
  }
  ZELBIWPreviewWindow* Window() { return Manager().GetPreviewWindow(QIVFrmEditor::GetCurrentEditor()); }

  QIVBaseUnknown_var _j1;
};

}  // namespace

TEST_F(ZELVekPreviewWindowManagerCmdTest, TwoPartsShowTheFastenersOfEachAndThoseJoiningThem) {
  ASSERT_NE(StartPreview(), nullptr);
  ASSERT_EQ(Pick({_floor}), S_OK);
  EXPECT_THAT(NamesOf(Window()->GetFasteners()), ElementsAre("W3, A", "W1, A", "W2, A", "S1"));
  ASSERT_EQ(Pick({_side}), S_OK);
  EXPECT_THAT(NamesOf(Window()->GetFasteners()),
              ElementsAre("W3, A", "W1, A", "W2, A", "S1", "W5, B", "W4, B", "J1, AB"));
  EXPECT_THAT(NamesOf(Window()->GetParts()), ElementsAre("Floor", "Side"));
  EXPECT_EQ(Text("pEditorNumberOfProducts"), "2");
  EXPECT_EQ(Text("pEditorNumberOfWelds"), "7");
  EXPECT_THAT(Transcript(), Contains("redraw viewer \"Preview Window\""));
  // Without an activity nothing may be assigned.
  EXPECT_THAT(Rows(), Contains("J1, AB ko - "));
}

TEST_F(ZELVekPreviewWindowManagerCmdTest, AnAssemblyAloneDoesNotOfferWhatJoinsItsOwnParts) {
  QIVBaseUnknown_var assembly = ZELEMfgAssemblyFactory().CreateMfgAssembly();
  ZELIMfgAssembly_var(assembly)->SetLabel("Body Assy");
  ZELIMfgAssembly_var(assembly)->AddPart(_floor);
  ZELIMfgAssembly_var(assembly)->AddPart(_side);
  ASSERT_NE(StartPreview(), nullptr);
  ASSERT_EQ(Pick({assembly}), S_OK);
  EXPECT_THAT(NamesOf(Window()->GetParts()), ElementsAre("Floor", "Side"));
  EXPECT_THAT(NamesOf(Window()->GetFasteners()), Not(Contains("J1, AB")));
  EXPECT_FALSE(
      ZELVekPreviewWindowManagerCmd::ArePartsScatteredAcrossGroups({_floor, _side}, {{_floor, _side}}));
  EXPECT_TRUE(
      ZELVekPreviewWindowManagerCmd::ArePartsScatteredAcrossGroups({_floor, _side}, {{_floor}, {_side}}));
  EXPECT_FALSE(
      ZELVekPreviewWindowManagerCmd::ArePartsScatteredAcrossGroups({_floor, _body}, {{_floor}, {_side}}));
}

struct ValidityCase {
  const char* name;
  bool partLoad;
  std::vector<std::string> rows;
};

class ZELVekPreviewValidityTest : public ZELVekPreviewWindowManagerCmdTest,
                                  public ::testing::WithParamInterface<ValidityCase> {};

// The first check that fails names the reason: already on the activity,
// part not loaded (with the constraint on), process type, elsewhere.
TEST_P(ZELVekPreviewValidityTest, EachFastenerSaysWhyItMayNotGo) {
  QIVSettingsRepository::GetRepository(ZELVekBIWSettingsServices::RepositoryName)
      .SetBool("PartLoadConstraint", GetParam().partLoad);
  ZELVekPreviewWindowManagerCmd* command = StartPreview();
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(command->GetPartLoadConstraint(), GetParam().partLoad);
  ASSERT_EQ(Pick({_side}), S_OK);
  ASSERT_EQ(Pick({_welding2}), S_OK);
  EXPECT_EQ(Text("pSelectActivityEditor"), "SpotWelding.2");
  EXPECT_EQ(Rows(), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Constraint, ZELVekPreviewValidityTest,
    ::testing::Values(ValidityCase{"Off", false, {"W5, B ok - ", "W4, B koDuplication"}},
                      ValidityCase{"On", true, {"W5, B koPart not loaded", "W4, B koPart not loaded"}}),
    [](const ::testing::TestParamInfo<ValidityCase>& info) { return std::string(info.param.name); });

TEST_F(ZELVekPreviewWindowManagerCmdTest, AssignsTheValidRowsSelectedAndListsThemAsAssigned) {
  ASSERT_NE(StartPreview(), nullptr);
  ASSERT_EQ(Pick({_floor}), S_OK);
  ASSERT_EQ(Pick({_welding1}), S_OK);
  EXPECT_THAT(Rows(), ElementsAre("W3, A ok - ", "W1, A ok - ", "W2, A ok - ", "S1 koInvalid Process Type"));
  // The sealant row is refused: only the valid rows stay selected.
  ASSERT_EQ(Select("pWeldsMultiList", {1, 3}), S_OK);
  EXPECT_THAT(Widget<QIVDlgMultiList>("pWeldsMultiList")->GetSelect(), ElementsAre(1));
  ASSERT_EQ(Press("pAssignPushButton"), S_OK);
  QIVListValQIVBaseUnknown_var assigned;
  ZELFastenerServices::GetWeldFromActivity(_welding1, assigned, 0, 0);
  EXPECT_THAT(NamesOf(assigned), ElementsAre("W4, B", "W1, A"));
  EXPECT_THAT(Rows(), Contains("W1, A koItem already assigned"));
}

TEST_F(ZELVekPreviewWindowManagerCmdTest, ClosingTheWindowEndsTheCommandAndTheNextRunShowsTheProductsAgain) {
  ASSERT_NE(StartPreview(), nullptr);
  ASSERT_EQ(Pick({_floor}), S_OK);
  ASSERT_EQ(Pick({_side}), S_OK);
  const ZELBIWPreviewWindow* first = Window();
  ASSERT_EQ(PressDialog(QIVDialog::GetWindCloseNotification(), "PreviewWindow"), S_OK);
  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
  EXPECT_EQ(Dispatcher().GetLastOutcome()->ending, QIVCommandOutcome::Ending::Ended);

  ASSERT_NE(StartPreview(), nullptr);
  EXPECT_NE(Window(), first);
  EXPECT_THAT(NamesOf(Window()->GetParts()), ElementsAre("Floor", "Side"));
  EXPECT_EQ(Text("pEditorNumberOfWelds"), "7");
  ASSERT_EQ(PressDialog(QIVDialog::GetDiaCLOSENotification()), S_OK);
  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
}

TEST_F(ZELVekPreviewWindowManagerCmdTest, OneWindowPerEditorFreedWhenTheEditorGoes) {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  ZELBIWPreviewWindow* window = Manager().GetPreviewWindow(editor);
  EXPECT_EQ(Manager().GetPreviewWindow(editor), window);
  EXPECT_EQ(Manager().GetPreviewWindow(nullptr), nullptr);
  const QIVVar<QIVFrmEditor> other = QIVMake<QIVFrmEditor>(Document());
  EXPECT_NE(Manager().GetPreviewWindow(other.get()), window);
  EXPECT_EQ(Manager().GetEditorCount(), 2);
  const long live = QIVBaseUnknown::LiveObjectCount();
  Dispatcher().CloseDocument();
  EXPECT_EQ(Manager().GetEditorCount(), 1);
  EXPECT_LT(QIVBaseUnknown::LiveObjectCount(), live);
  Dispatcher().OpenDocument(Document());
}

TEST_F(ZELVekPreviewWindowManagerCmdTest, ClosingWithoutAssigningLeavesTheDocumentAsItWas) {
  const std::string before = SavedText();
  ASSERT_NE(StartPreview(), nullptr);
  ASSERT_EQ(Pick({_floor, _side}), S_OK);
  ASSERT_EQ(Pick({_welding2}), S_OK);
  ASSERT_EQ(Select("pWeldsMultiList", {0}), S_OK);
  ASSERT_EQ(PressDialog(QIVDialog::GetDiaCLOSENotification()), S_OK);
  EXPECT_EQ(SavedText(), before);
}
