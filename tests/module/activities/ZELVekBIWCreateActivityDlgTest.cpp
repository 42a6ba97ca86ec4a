#include <gmock/gmock.h>

#include "ActivityCreationTest.h"
#include "QIVISPPActivityModificationEvents.h"
#include "QIVISPPProcessContainer.h"
#include "ZELVekBIWCreateActivityDlg.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

struct MainFrameCase {
  const char* className;
  const char* frameName;
  bool hasAttributes;
};

const MainFrameCase kMainFrames[] = {
    {"ZELVekBIWCreateGroupingActivityCmd", "FrameGroupActivityDlg", true},
    {"ZELVekBIWCreateStationActivityCmd", "FrameStationActivityDlg", true},
    {"ZELVekBIWCreateLoadingActivityCmd", "FrameLoadingActivityDlg", false},
    {"ZELVekBIWCreateUnloadingActivityCmd", "FrameUnloadingActivityDlg", false},
    {"ZELVekBIWCreateClampingActivityCmd", "FrameClampingActivityDlg", false},
    {"ZELVekBIWCreateUnclampingActivityCmd", "FrameUnclampingActivityDlg", false},
    {"ZELVekBIWCreateACTWeldingActivityCmd", "FrameSpotWeldingActivityDlg", true},
    {"ZELVekBIWCreateStudWeldingActivityCmd", "FrameStudWeldingActivityDlg", true},
    {"ZELVekBIWCreateSpotGluingActivityCmd", "FrameSpotGluingActivityDlg", true},
    {"ZELVekBIWCreateClinchingActivityCmd", "FrameClinchingActivityDlg", true},
    {"ZELVekBIWCreateArcWeldingActivityCmd", "FrameArcWeldingActivityDlg", true},
    {"ZELVekBIWCreateAdhesiveApplicationActivityCmd", "FrameAdhesiveApplicationActivityDlg", true},
    {"ZELVekBIWCreateSealantApplicationActivityCmd", "FrameSealantApplicationActivityDlg", true},
};

struct RowCase {
  const char* label;
  const char* editor;
  const char* units;
  // The activity attribute the row edits, and a value typed into it.
  const char* attribute;
  const char* typed;
  double stored;
};

struct LayoutCase {
  const char* className;
  const char* frameName;
  bool unitsAligned;
  std::vector<RowCase> rows;
};

const LayoutCase kLayouts[] = {
    {"ZELVekBIWCreateGroupingActivityCmd",
     "GroupingAttributes",
     false,
     {{"NoOfGroupingSpecifiedPointFasteners", "NoOfGroupingSpecifiedPointFastenersEditorName",
       "NoOfGroupingPointFastenerUnits", "SpecifiedPointFasteners", "120", 120.0},
      {"LengthSpecifiedGroupingCurveFasteners", "LengthSpecifiedGroupingCurveFastenersEditorName",
       "LengthOfGroupingCurveFastenerUnits", "SpecifiedCurveFastenerLength", "3500.5", 3500.5},
      {"GoalInvestmentCost", "GoalInvestmentCostEditorName", "GoalInvestmentCostUnits", "GoalInvestmentCost",
       "2e6", 2e6},
      {"ProductExitRate", "ProductExitRateEditorName", "ProdExitRateUnits", "ProductExitRate", "55", 55.0}}},
    {"ZELVekBIWCreateStationActivityCmd",
     "StationAttributes",
     false,
     {{"NoOfStationSpecifiedFastenersName", "NoOfStationPointFastenerEdtiorName",
       "NoOfStationPointFastenerUnits", "SpecifiedPointFasteners", "42", 42.0},
      {"LengthOfStationCurveFastenersName", "LengthOfStationCurveFastenerEditorName",
       "LengthOfStationCurveFastenerUnits", "SpecifiedCurveFastenerLength", "800", 800.0},
      {"EstimatedInvestmentCost", "EstimatedInvestmentCostEditorName", "EstimatedInvestmentCostUnits",
       "EstimatedInvestmentCost", "1.5e5", 1.5e5},
      {"StationProductExitRate", "StationProductExitRateEditorName", "StationProdExitRateUnits",
       "ProductExitRate", "2.5", 2.5}}},
    {"ZELVekBIWCreateStudWeldingActivityCmd",
     "PointFasteningAttributes",
     true,
     {{"PointFasteningRate", "_PointFasteningRateEditorName", "PointFastenerUnits", "PointFasteningRate", "4",
       0.25},
      {"SpecifiedPointFasteners", "_SpecifiedPointFastenersEditorName", "SpecifiedPointFastenersUnits",
       "SpecifiedPointFasteners", "16", 16.0}}},
    {"ZELVekBIWCreateAdhesiveApplicationActivityCmd",
     "CurveFasteningAttributes",
     true,
     {{"FastenerProductionRate", "_FastenerProdRateEditorName", "CurveFastenerUnits",
       "FastenerProductionRate", "35", 35.0},
      {"SpecifiedCurveFasteners", "_SpecifiedCurveFastenersEditorName", "SpecifiedCurveFastenersUnits",
       "SpecifiedCurveFastenerLength", "1200", 1200.0}}},
};

std::vector<std::string> ChildWidgetNames(const QIVCommand* container) {
  std::vector<std::string> names;
  for (const QIVCommand* child : container->GetChildren()) names.push_back(child->GetName().str());
  return names;
}

// "H0 mode1 Name" for each attachment of the container.
std::vector<std::string> Attachments(const QIVDialog* container) {
  std::vector<std::string> lines;
  for (const QIVDlgAttachment& attachment : container->GetAttachments()) {
    const char* axis = attachment.axis == QIVDlgAttachment::Horizontal ? "H" : "V";
    lines.push_back(axis + std::to_string(attachment.line) + " mode" + std::to_string(attachment.mode) + " " +
                    attachment.widget->GetName().str());
  }
  return lines;
}

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
  ZELVekBIWCreateActivityDlg* Open(const char* className) {
    const std::string name = className;
    const bool underGrouping =
        name.find("Station") != std::string::npos || name.find("Grouping") != std::string::npos;
    EXPECT_NE(Start(className), nullptr);
    EXPECT_EQ(Pick(underGrouping ? _grouping : _station), S_OK);
    return Dialog();
  }
  QIVBaseUnknown_var Created() { return QIVBaseUnknown_var(Command()->GetCreatedActivity()); }

  std::vector<QIVSPPActivityNotification> _notifications;
  int _listenerKey = 0;
};

TEST_F(ZELVekBIWCreateActivityDlgTest, EachKindGetsItsMainFrameWithTheNameRowAndAButtonOnlyForAttributes) {
  for (const MainFrameCase& kind : kMainFrames) {
    SCOPED_TRACE(kind.className);
    ZELVekBIWCreateActivityDlg* dialog = Open(kind.className);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetName(), "ZELVekBIWCreateActivityDlg");
    EXPECT_EQ(dialog->GetStyle(), 0x400C00ul);
    EXPECT_THAT(ChildWidgetNames(dialog), ElementsAre(kind.frameName));
    QIVDlgFrame* frame = dialog->GetMainFrame();
    EXPECT_EQ(frame->GetStyle(), 0x80000ul);
    if (kind.hasAttributes) {
      EXPECT_THAT(ChildWidgetNames(frame),
                  ElementsAre("LabelActivityName", "EditorActivityName", "AttributesButton"));
      EXPECT_THAT(Attachments(frame),
                  ElementsAre("H0 mode1 LabelActivityName", "H0 mode1 EditorActivityName",
                              "V2 mode1 EditorActivityName", "H1 mode1 AttributesButton"));
      EXPECT_EQ(dialog->GetAttributesButton()->GetTitle(), "More>>");
    } else {
      EXPECT_THAT(ChildWidgetNames(frame), ElementsAre("LabelActivityName", "EditorActivityName"));
      EXPECT_EQ(Press("AttributesButton"), E_FAIL);
    }
    EXPECT_EQ(dialog->HasAttributesButton(), kind.hasAttributes);
    EXPECT_EQ(PressDialog("Cancel"), S_OK);
  }
}

TEST_F(ZELVekBIWCreateActivityDlgTest, MoreOpensTheKindsAttributeRowsAndLessHidesThem) {
  for (const LayoutCase& layout : kLayouts) {
    SCOPED_TRACE(layout.className);
    ZELVekBIWCreateActivityDlg* dialog = Open(layout.className);
    EXPECT_TRUE(dialog->IsCollapsed());
    EXPECT_EQ(dialog->GetAttributeFrame(), nullptr);

    EXPECT_EQ(Press("AttributesButton"), S_OK);
    QIVDlgFrame* frame = dialog->GetAttributeFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetName(), layout.frameName);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_FALSE(dialog->IsCollapsed());
    EXPECT_EQ(dialog->GetAttributesButton()->GetTitle(), "Less<<");
    EXPECT_THAT(Attachments(dialog), ElementsAre(std::string("H3 mode1 ") + layout.frameName));

    std::vector<std::string> widgets, attachments;
    for (std::size_t row = 0; row < layout.rows.size(); ++row) {
      const RowCase& expected = layout.rows[row];
      widgets.insert(widgets.end(), {expected.label, expected.editor, expected.units});
      const std::string line = "H" + std::to_string(row) + " mode1 ";
      attachments.insert(attachments.end(),
                         {line + expected.label, line + expected.editor, line + expected.units,
                          std::string("V3 mode1 ") + expected.editor});
      if (layout.unitsAligned) attachments.push_back(std::string("V5 mode1 ") + expected.units);
      EXPECT_EQ(frame->Find<QIVDlgEditor>(expected.editor)->GetStyle(), QIVDlgEditor::NumericStyle);
    }
    EXPECT_THAT(ChildWidgetNames(frame), ElementsAreArray(widgets));
    EXPECT_THAT(Attachments(frame), ElementsAreArray(attachments));

    EXPECT_EQ(Press("AttributesButton"), S_OK);
    EXPECT_FALSE(frame->IsShown());
    EXPECT_TRUE(dialog->IsCollapsed());
    EXPECT_THAT(Attachments(dialog), IsEmpty());
    EXPECT_EQ(dialog->GetAttributesButton()->GetTitle(), "More>>");
    PressDialog("Cancel");
  }
}

TEST_F(ZELVekBIWCreateActivityDlgTest, OKWritesTheTypedAttributesAndAnnouncesTheChange) {
  for (const LayoutCase& layout : kLayouts) {
    SCOPED_TRACE(layout.className);
    _notifications.clear();
    Open(layout.className);
    const QIVBaseUnknown_var created = Created();
    Press("AttributesButton");
    for (const RowCase& row : layout.rows) EXPECT_EQ(Type(row.editor, row.typed), S_OK) << row.editor;
    EXPECT_EQ(PressDialog("OK"), S_OK);
    for (const RowCase& row : layout.rows)
      EXPECT_DOUBLE_EQ(Attribute(created, row.attribute), row.stored) << row.editor;

    ASSERT_EQ(_notifications.size(), 1u);
    EXPECT_EQ(_notifications[0].kind, QIVSPPActivityNotification::Modified);
    EXPECT_TRUE(_notifications[0].object == created);
    EXPECT_FALSE(_notifications[0].secondObject);
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
  PressDialog("OK");
  EXPECT_EQ(Attribute(created, "ProductExitRate"), 7.0);

  // Reopened: the new frame shows what is stored, and its values are the
  // ones written; the first frame stays hidden in the dialog.
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
  EXPECT_TRUE(second->IsShown());
  EXPECT_THAT(ChildWidgetNames(dialog),
              ElementsAre("FrameStationActivityDlg", "StationAttributes", "StationAttributes"));
  EXPECT_EQ(second->Find<QIVDlgEditor>("StationProductExitRateEditorName")->GetText(), "0");
  EXPECT_EQ(second->Find<QIVDlgEditor>("EstimatedInvestmentCostEditorName")->GetText(), "900");
  PressDialog("OK");
  EXPECT_EQ(Attribute(created, "ProductExitRate"), 0.0);
  EXPECT_EQ(Attribute(created, "EstimatedInvestmentCost"), 900.0);
}

TEST_F(ZELVekBIWCreateActivityDlgTest, WithoutOpeningTheFrameOKWritesNoAttributeButStillAnnounces) {
  Open("ZELVekBIWCreateGroupingActivityCmd");
  const QIVBaseUnknown_var created = Created();
  SetAttribute(created, "GoalInvestmentCost", 12.0);
  Type("EditorActivityName", "Underbody");
  PressDialog("OK");
  EXPECT_EQ(NameOf(created), "Underbody");
  EXPECT_EQ(Attribute(created, "GoalInvestmentCost"), 12.0);
  EXPECT_EQ(_notifications.size(), 1u);
}

TEST_F(ZELVekBIWCreateActivityDlgTest, NonValueAddedKindsKeepOnlyTheNameAndAnnounceNothing) {
  for (const char* className :
       {"ZELVekBIWCreateLoadingActivityCmd", "ZELVekBIWCreateUnloadingActivityCmd",
        "ZELVekBIWCreateClampingActivityCmd", "ZELVekBIWCreateUnclampingActivityCmd"}) {
    SCOPED_TRACE(className);
    Open(className);
    const QIVBaseUnknown_var created = Created();
    Type("EditorActivityName", "Handling");
    PressDialog("OK");
    EXPECT_EQ(NameOf(created), "Handling");
  }
  EXPECT_THAT(_notifications, IsEmpty());
}

TEST_F(ZELVekBIWCreateActivityDlgTest, TheAnnouncementReachesEveryProcessRoot) {
  QIVBaseUnknown_var container, second;
  Document()->GetProcessContainer(container);
  QIVISPPProcessContainer_var(container)->CreateProcess("Body shop B", second);
  std::vector<int> secondKinds;
  QIVISPPActivityModificationEvents_var(second)->AddListener(
      [&](const QIVSPPActivityNotification& notification) { secondKinds.push_back(notification.kind); });

  // Made on the main window, which owns it until its destruction is asked.
  auto* dialog = new ZELVekBIWCreateActivityDlg();
  dialog->DispatchModifyEvent(_station.get());
  ASSERT_EQ(_notifications.size(), 1u);
  EXPECT_TRUE(_notifications[0].object == _station);
  EXPECT_EQ(secondKinds, std::vector<int>{QIVSPPActivityNotification::Modified});
  dialog->RequestDelayedDestruction();
  QIVISPPProcessContainer_var(container)->RemoveProcess(second);
}

TEST_F(ZELVekBIWCreateActivityDlgTest, WithoutAnActivityTheDialogBuildsWritesAndAnnouncesNothing) {
  auto* dialog = new ZELVekBIWCreateActivityDlg();
  dialog->GetCmdActivity(nullptr);
  dialog->Build();
  EXPECT_THAT(ChildWidgetNames(dialog), IsEmpty());
  EXPECT_EQ(dialog->GetActivityName(), "");
  dialog->SetActivityName("Ignored");
  dialog->GetActivityAttributes();
  dialog->SetActivityAttributes();
  EXPECT_THAT(_notifications, IsEmpty());
  dialog->RequestDelayedDestruction();
}
