#include <gmock/gmock.h>

#include "LocatorTestSupport.h"
#include "QIVDlgEditor.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgRadioButton.h"
#include "QIVFrmEditor.h"
#include "locators/ZELLocatorAccountabilityCommand.h"
#include "locators/ZELLocatorAccountabilityDialog.h"

using ::testing::ElementsAre;

namespace {

// LP1 is assigned to Load and Station.1, CP1 to Clamp; the others to
// nothing.
class ZELLocatorAccountabilityCommandTest : public LocatorTestSession {
 protected:
  void SetUp() override {
    LocatorTestSession::SetUp();
    QIVISPPItemMgt_var(_load)->AddItem(_lp1);
    QIVISPPItemMgt_var(_station)->AddItem(_lp1);
    QIVISPPItemMgt_var(_clamp)->AddItem(_cp1);
    QIVIAlias_var(_lp2)->SetAlias("  LP2 ");
  }
  void TearDown() override {
    _held = nullptr;
    LocatorTestSession::TearDown();
  }
  ZELLocatorAccountabilityDialog* StartReport() {
    EXPECT_EQ(Start("ZELLocatorAccountabilityCommand"), S_OK);
    _held = dynamic_cast<ZELLocatorAccountabilityCommand*>(Dispatcher().GetActiveCommand());
    return _held ? _held->GetDialog() : nullptr;
  }
  HRESULT Filter(int option) {
    return Dispatcher().Deliver(QIVWidgetEvent::Choose("ComboFilterOptionsID", option));
  }
  std::vector<Row> Table() const { return Rows(_held->GetDialog()->GetMultiList()); }
  std::string Text(const char* widget) {
    const auto* editor = dynamic_cast<QIVDlgEditor*>(Dispatcher().FindWidget(widget));
    if (!editor) return "none";
    return editor->GetVisibility() == QIVDlgHide ? "hidden" : editor->GetText().str();
  }

  QIVVar<ZELLocatorAccountabilityCommand> _held;
};

}  // namespace

TEST_F(ZELLocatorAccountabilityCommandTest, TheFiltersKeepEachLocatorByItsNumberOfActivities) {
  ZELLocatorAccountabilityDialog* dialog = StartReport();
  ASSERT_NE(dialog, nullptr);
  // The whole document: locating points, then clamping points.
  const Row lp1{"1", "LP1", "4-way pin", "Floor", "Process/Station.1/Load;Process/Station.1"};
  EXPECT_THAT(Table(),
              ElementsAre(lp1, Row{"2", "LP2", "", "Floor", "None"}, Row{"3", "LP3", "", "Side", "None"},
                          Row{"4", "CP1", "swing clamp", "Floor", "Process/Station.1/Clamp"},
                          Row{"5", "CP2", "", "Roof", "None"}));
  EXPECT_EQ(Text("EditorAssignedLocatorCountID"), "hidden");

  ASSERT_EQ(Filter(ZELLocatorAccountabilityDialog::AssignedLocators), S_OK);
  EXPECT_THAT(Table(), ElementsAre(lp1, Row{"4", "CP1", "swing clamp", "Floor", "Process/Station.1/Clamp"}));
  EXPECT_EQ(Text("EditorAssignedLocatorCountID"), "2");
  EXPECT_EQ(Text("EditorLocatorCountID"), "5");
  ASSERT_EQ(Filter(ZELLocatorAccountabilityDialog::UnAssignedLocators), S_OK);
  EXPECT_THAT(Table(), ElementsAre(Row{"2", "LP2", "", "Floor", "None"}, Row{"3", "LP3", "", "Side", "None"},
                                   Row{"5", "CP2", "", "Roof", "None"}));
  ASSERT_EQ(Filter(ZELLocatorAccountabilityDialog::MultiAssignedLocators), S_OK);
  EXPECT_THAT(Table(), ElementsAre(lp1));
  EXPECT_EQ(Text("EditorAssignedLocatorCountID"), "1");
}

TEST_F(ZELLocatorAccountabilityCommandTest, PickingAProductReportsItAndHighlightsIt) {
  ZELLocatorAccountabilityDialog* dialog = StartReport();
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(Filter(ZELLocatorAccountabilityDialog::UnAssignedLocators), S_OK);
  // "All products" is checked: the pick switches the report to the product.
  ASSERT_EQ(Pick({_floor}), S_OK);
  EXPECT_TRUE(
      dynamic_cast<QIVDlgRadioButton*>(Dispatcher().FindWidget("RadioButtonSelectedProductID"))->GetState());
  EXPECT_THAT(Table(), ElementsAre(Row{"2", "LP2", "", "Floor", "None"}));
  EXPECT_EQ(Text("EditorLocatorCountID"), "3");
  QIVHSO* highlighted = QIVFrmEditor::GetCurrentEditor()->GetHSO();
  ASSERT_EQ(highlighted->GetSize(), 1);
  EXPECT_TRUE(highlighted->GetElement(1) == _floor);

  ASSERT_EQ(Pick({_roof}), S_OK);
  EXPECT_THAT(Table(), ElementsAre(Row{"1", "CP2", "", "Roof", "None"}));
  ASSERT_EQ(Dispatcher().Deliver(QIVWidgetEvent::Check("RadioButtonAllProductsID", true)), S_OK);
  EXPECT_EQ(Table().size(), 3u);
  ASSERT_EQ(PressDialog("Cancel"), S_OK);
  EXPECT_TRUE(_held->IsEnded());
}
