#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVDlgDialog.h"
#include "QIVDlgMultiList.h"
#include "QIVFrmEditor.h"
#include "QIVIPlantObject.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "QIVSPPActivityType.h"
#include "ScratchRepository.h"
#include "ZELIMHIDocInfo.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// A plant library of robots and welding robots; a line (a grouping) with a
// station; a cell (a product that is no resource, so of the master type)
// and a welding robot already in the document.
class ZELVekBIWInsertStandardStationCmdTest : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    QIVLibraryContents library;
    library.plantTypes = {{"Resource", ""}, {"Robot", "Resource"}, {"WeldRobot", "Robot"}};
    library.plantTypeSetMaster = "Resource";
    library.plantTypeSetChildren = {"Robot", "WeldRobot"};
    library.resources = {{"R-210", "WeldRobot"}, {"Base", "Resource"}};
    library.templates = {
        {"Framing", {{"Respot", "Respot cell", 9.2e5, 3.1, 0, "R-210"}, {"Manual", "Manual", 1, 0, 0, ""}}},
        {"Floor", {{"Base station", "Fixture", 10, 0, 0, "Base"}}}};
    std::shared_ptr<QIVRepository> repository = _repository.Open();
    repository->ReplaceLibrary(library);
    QIVFrmEditor::GetCurrentEditor()->SetRepository(repository);

    QIVBaseUnknown_var root;
    Document()->GetRootActivity(root);
    QIVISPPChildManagement_var(root)->CreateChild(QIVSPPActivityTypes::Grouping, line);
    QIVISPPChildManagement_var(line)->CreateChild(QIVSPPActivityTypes::Station, station);
    Document()->CreateProduct(nullptr, "Cell.1", "", cell);
    Document()->CreateProduct(nullptr, "Robot.1", "", robot);
    QIVIPlantObject_var(robot)->SetPlantType("WeldRobot");
  }
  void TearDown() override {
    QIVFrmEditor::GetCurrentEditor()->SetRepository(nullptr);
    line = station = cell = robot = nullptr;
    ModuleTestSession::TearDown();
  }

  // Starts the command, picks the grouping and, when given, the resource.
  void Open(const QIVBaseUnknown_var& grouping, const QIVBaseUnknown_var& resource) {
    ASSERT_EQ(Deliver(QIVStartEvent{"ZELVekBIWInsertStandardStationCmd"}), S_OK);
    ASSERT_EQ(Pick({grouping}), S_OK);
    if (resource) {
      ASSERT_EQ(Pick({resource}), S_OK);
    }
  }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    auto* list = Widget<QIVDlgMultiList>("MultiListBoxId");
    for (int row = 0; list && row < list->GetRowCount(); ++row) {
      std::string cells;
      for (int column = 0; column < list->GetColumnCount(); ++column)
        cells += (column ? "|" : "") + list->GetCell(row, column).str();
      rows.push_back(cells);
    }
    return rows;
  }
  bool OkSensitive() const {
    const auto* dialog = dynamic_cast<const QIVDlgDialog*>(Widget<QIVDlgMultiList>("MultiListBoxId")->GetFather());
    return dialog->GetOKSensitivity() == QIVDlgEnable;
  }
  void PartialReadOnly(bool on) {
    QIVBaseUnknown_var container;
    Document()->GetProcessContainer(container);
    ZELIMHIDocInfo_var(container)->SetPartialReadOnly(on);
  }
  QIVCommandOutcome::Ending Ending() { return Dispatcher().GetLastOutcome()->ending; }

  ScratchRepository _repository{"SQLite"};
  QIVBaseUnknown_var line, station, cell, robot;
};

}  // namespace

TEST_F(ZELVekBIWInsertStandardStationCmdTest, OffersWhatFitsAndCopiesTheChosenStationWithItsResource) {
  const std::string before = SavedText();
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELVekBIWInsertStandardStationCmd"}), S_OK);
  // Only a grouping takes a standard station.
  EXPECT_NE(Pick({station}), S_OK);
  ASSERT_EQ(Pick({line}), S_OK);
  ASSERT_EQ(Pick({cell}), S_OK);
  // The manual station uses no resource and the base one is of the master
  // type itself, not below it.
  EXPECT_THAT(Rows(), ElementsAre("Framing|Respot|Respot cell|920000|3.10|0.00"));
  EXPECT_FALSE(OkSensitive());
  ASSERT_EQ(Select("MultiListBoxId", {0}), S_OK);
  EXPECT_TRUE(OkSensitive());
  ASSERT_EQ(PressDialog("Cancel"), S_OK);
  EXPECT_EQ(SavedText(), before);

  Open(line, cell);
  Select("MultiListBoxId", {0});
  ASSERT_EQ(PressDialog("OK"), S_OK);
  EXPECT_EQ(Ending(), QIVCommandOutcome::Ending::Ended);
  EXPECT_THAT(NamesOf(*QIVISPPChildManagement_var(line)->GetChildren()), ElementsAre("Station.1", "Respot"));
  QIVBaseUnknown_var inserted;
  QIVISPPChildManagement_var(line)->FindChild("Respot", inserted);
  double cost = 0;
  QIVISPPActivity_var(inserted)->GetAttribute("EstimatedInvestmentCost", cost);
  EXPECT_EQ(cost, 9.2e5);
  QIVListValQIVBaseUnknown_var resources;
  QIVIProduct_var(cell)->GetChildren(resources);
  ASSERT_THAT(NamesOf(resources), ElementsAre("R-210.1"));
  EXPECT_EQ(QIVIPlantObject_var(resources[1])->GetPlantType(), "WeldRobot");
  EXPECT_THAT(NamesOf(QIVISPPItemMgt_var(inserted)->GetItems()), ElementsAre("R-210.1"));

  // The grouping's one resource is pre-selected, so the stations come at once.
  QIVISPPItemMgt_var(line)->AddItem(resources[1]);
  QIVIPlantObject_var(resources[1])->SetPlantType("Resource");
  Open(line, nullptr);
  EXPECT_THAT(Rows(), ElementsAre("Framing|Respot|Respot cell|920000|3.10|0.00"));
  Select("MultiListBoxId", {0});
  PressDialog("OK");
  EXPECT_EQ(Ending(), QIVCommandOutcome::Ending::Ended);
}

TEST_F(ZELVekBIWInsertStandardStationCmdTest, RefusesWithABoxWhenNothingFitsOrTheDocumentIsPartlyReadOnly) {
  const std::string before = SavedText();
  // Nothing derives from a welding robot.
  Open(line, robot);
  EXPECT_EQ(Ending(), QIVCommandOutcome::Ending::Ended);
  EXPECT_THAT(
      Boxes(),
      ElementsAre(HasSubstr("\"Station Modules Unavailable\" \"No valid Station Modules available\"")));
  EXPECT_THAT(Rows(), IsEmpty());

  PartialReadOnly(true);
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELVekBIWInsertStandardStationCmd"}), S_OK);
  EXPECT_EQ(Ending(), QIVCommandOutcome::Ending::Ended);
  ASSERT_EQ(Dispatcher().GetLastOutcome()->boxes.size(), 1u);
  EXPECT_EQ(Dispatcher().GetLastOutcome()->boxes[0].key, "DocInPartialReadOnly");
  PartialReadOnly(false);
  EXPECT_EQ(SavedText(), before);
}
