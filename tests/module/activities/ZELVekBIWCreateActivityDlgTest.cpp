#include <gmock/gmock.h>

#include "ActivityCreationTest.h"
#include "QIVISPPActivityModificationEvents.h"
#include "QIVISPPProcessContainer.h"
#include "activities/ZELVekBIWCreateActivityDlg.h"

using ::testing::IsEmpty;

namespace {

// An attribute row: its editor, the activity attribute it edits, a value
// typed into it and the value stored.
struct RowCase {
  const char* editor;
  const char* attribute;
  const char* typed;
  double stored;
};

struct LayoutCase {
  const char* className;
  const char* frameName;
  std::vector<RowCase> rows;
};

const LayoutCase kLayouts[] = {
    {"ZELVekBIWCreateGroupingActivityCmd",
     "GroupingAttributes",
     {{"NoOfGroupingSpecifiedPointFastenersEditorName", "SpecifiedPointFasteners", "120", 120.0},
      {"LengthSpecifiedGroupingCurveFastenersEditorName", "SpecifiedCurveFastenerLength", "3500.5", 3500.5},
      {"GoalInvestmentCostEditorName", "GoalInvestmentCost", "2e6", 2e6},
      {"ProductExitRateEditorName", "ProductExitRate", "55", 55.0}}},
    {"ZELVekBIWCreateStationActivityCmd",
     "StationAttributes",
     {{"NoOfStationPointFastenerEdtiorName", "SpecifiedPointFasteners", "42", 42.0},
      {"LengthOfStationCurveFastenerEditorName", "SpecifiedCurveFastenerLength", "800", 800.0},
      {"EstimatedInvestmentCostEditorName", "EstimatedInvestmentCost", "1.5e5", 1.5e5},
      {"StationProductExitRateEditorName", "ProductExitRate", "2.5", 2.5}}},
    {"ZELVekBIWCreateStudWeldingActivityCmd",
     "PointFasteningAttributes",
     {{"_PointFasteningRateEditorName", "PointFasteningRate", "4", 0.25},
      {"_SpecifiedPointFastenersEditorName", "SpecifiedPointFasteners", "16", 16.0}}},
    {"ZELVekBIWCreateAdhesiveApplicationActivityCmd",
     "CurveFasteningAttributes",
     {{"_FastenerProdRateEditorName", "FastenerProductionRate", "35", 35.0},
      {"_SpecifiedCurveFastenersEditorName", "SpecifiedCurveFastenerLength", "1200", 1200.0}}},
};

}  // namespace

class ZELVekBIWCreateActivityDlgTest : public ActivityCreationTest {
 protected:
  void SetUp() override {
    ActivityCreationTest::SetUp();
    _listenerKey = QIVISPPActivityModificationEvents_var(_root)->AddListener(
        [this](const QIVSPPActivityNotification& notification) { _notifications.push_back(notification); });
  }
  void TearDown() override {
    QIVISPPActivityModificationEvents_var(_root)->RemoveListener(_listenerKey);
    _notifications.clear();
    ActivityCreationTest::TearDown();
  }

  // Starts the command and picks a parent its kind accepts.
  ZELVekBIWCreateActivityDlg* Open(const std::string& className) {
    const bool underGrouping =
        className.find("Station") != std::string::npos || className.find("Grouping") != std::string::npos;
    EXPECT_NE(Start(className), nullptr);
    EXPECT_EQ(Pick(underGrouping ? _grouping : _station), S_OK);
    return Dialog();
  }
  QIVBaseUnknown_var Created() { return QIVBaseUnknown_var(Command()->GetCreatedActivity()); }

  std::vector<QIVSPPActivityNotification> _notifications;
  int _listenerKey = 0;
};

TEST_F(ZELVekBIWCreateActivityDlgTest, MoreOpensTheKindsRowsAndOKWritesTheTypedAttributesAndAnnounces) {
  for (const LayoutCase& layout : kLayouts) {
    SCOPED_TRACE(layout.className);
    _notifications.clear();
    ZELVekBIWCreateActivityDlg* dialog = Open(layout.className);
    const QIVBaseUnknown_var created = Created();
    EXPECT_EQ(dialog->GetAttributeFrame(), nullptr);
    EXPECT_EQ(Press("AttributesButton"), S_OK);
    ASSERT_NE(dialog->GetAttributeFrame(), nullptr);
    EXPECT_EQ(dialog->GetAttributeFrame()->GetName(), layout.frameName);
    EXPECT_EQ(dialog->GetAttributesButton()->GetTitle(), "Less<<");
    for (const RowCase& row : layout.rows) EXPECT_EQ(Type(row.editor, row.typed), S_OK) << row.editor;
    EXPECT_EQ(PressDialog("OK"), S_OK);
    for (const RowCase& row : layout.rows)
      EXPECT_DOUBLE_EQ(Attribute(created, row.attribute), row.stored) << row.editor;

    ASSERT_EQ(_notifications.size(), 1u);
    EXPECT_EQ(_notifications[0].kind, QIVSPPActivityNotification::Modified);
    EXPECT_TRUE(_notifications[0].object == created);
    EXPECT_THAT(Transcript(),
                ::testing::Contains("activity modified \"" + NameOf(created).str() + "\" in \"Process\""));
  }
}

TEST_F(ZELVekBIWCreateActivityDlgTest, ThePointFasteningRateIsTypedAsTheReciprocalOfTheStoredValue) {
  struct Case {
    double stored;
    const char* shown;
    const char* typed;
    double written;
  };
  for (const Case& c : {Case{0.5, "2", "4", 0.25}, Case{0.0, "0", "0", 0.0}, Case{0.25, "4", "0.5", 2.0}}) {
    SCOPED_TRACE(c.stored);
    Open("ZELVekBIWCreateACTWeldingActivityCmd");
    const QIVBaseUnknown_var created = Created();
    SetAttribute(created, "PointFasteningRate", c.stored);
    Press("AttributesButton");
    EXPECT_EQ(Dialog()->GetAttributeFrame()->Find<QIVDlgEditor>("_PointFasteningRateEditorName")->GetText(),
              c.shown);
    Type("_PointFasteningRateEditorName", c.typed);
    PressDialog("OK");
    EXPECT_DOUBLE_EQ(Attribute(created, "PointFasteningRate"), c.written);
  }
}

TEST_F(ZELVekBIWCreateActivityDlgTest, ReopeningReloadsTheStoredValuesAndOnlyTheLastFrameIsWritten) {
  // Typed, closed and not reopened: written on OK.
  Open("ZELVekBIWCreateStationActivityCmd");
  QIVBaseUnknown_var created = Created();
  Press("AttributesButton");
  Type("StationProductExitRateEditorName", "7");
  Press("AttributesButton");
  EXPECT_EQ(Dialog()->GetAttributesButton()->GetTitle(), "More>>");
  PressDialog("OK");
  EXPECT_EQ(Attribute(created, "ProductExitRate"), 7.0);

  // Reopened: the new frame shows what is stored, and its values are the
  // ones written.
  ZELVekBIWCreateActivityDlg* dialog = Open("ZELVekBIWCreateStationActivityCmd");
  created = Created();
  SetAttribute(created, "EstimatedInvestmentCost", 900.0);
  Press("AttributesButton");
  QIVDlgFrame* first = dialog->GetAttributeFrame();
  Type("StationProductExitRateEditorName", "7");
  Type("EstimatedInvestmentCostEditorName", "1000");
  Press("AttributesButton");
  Press("AttributesButton");
  QIVDlgFrame* second = dialog->GetAttributeFrame();
  EXPECT_NE(second, first);
  EXPECT_FALSE(first->IsShown());
  EXPECT_EQ(second->Find<QIVDlgEditor>("EstimatedInvestmentCostEditorName")->GetText(), "900");
  PressDialog("OK");
  EXPECT_EQ(Attribute(created, "ProductExitRate"), 0.0);
  EXPECT_EQ(Attribute(created, "EstimatedInvestmentCost"), 900.0);
}

TEST_F(ZELVekBIWCreateActivityDlgTest, WithoutTheFrameOKWritesOnlyTheNameAndOnlyValueAddedKindsAnnounce) {
  for (const char* className :
       {"ZELVekBIWCreateLoadingActivityCmd", "ZELVekBIWCreateUnloadingActivityCmd",
        "ZELVekBIWCreateClampingActivityCmd", "ZELVekBIWCreateUnclampingActivityCmd"}) {
    SCOPED_TRACE(className);
    Open(className);
    const QIVBaseUnknown_var created = Created();
    EXPECT_EQ(Press("AttributesButton"), E_FAIL);
    Type("EditorActivityName", "Handling");
    PressDialog("OK");
    EXPECT_EQ(NameOf(created), "Handling");
  }
  EXPECT_THAT(_notifications, IsEmpty());

  Open("ZELVekBIWCreateGroupingActivityCmd");
  const QIVBaseUnknown_var created = Created();
  SetAttribute(created, "GoalInvestmentCost", 12.0);
  Type("EditorActivityName", "Underbody");
  PressDialog("OK");
  EXPECT_EQ(NameOf(created), "Underbody");
  EXPECT_EQ(Attribute(created, "GoalInvestmentCost"), 12.0);
  EXPECT_EQ(_notifications.size(), 1u);
}

