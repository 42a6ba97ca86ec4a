#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVDictionary.h"
#include "QIVDlgEditor.h"
#include "QIVIRootProperties.h"
#include "QIVISPPActivity.h"
#include "QIVISPPActivityModificationEvents.h"
#include "QIVISPPChildManagement.h"
#include "QIVPathElement.h"
#include "QIVPropertyWindowCmd.h"
#include "QIVSPPActivityType.h"
#include "ZELIBIWActivityStation.h"
#include "ZELIZitBltMgr.h"
#include "editors/ZELBIWEditor.h"

namespace T = QIVSPPActivityTypes;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

// Counts the updates groupings are asked for, standing for a build-up
// manager of the groupings.
int groupingUpdates = 0;
class CountingPods : public ZELIZitBltMgr {
 public:
  HRESULT Update() override {
    ++groupingUpdates;
    return S_OK;
  }
};
QIVBaseUnknown* MakeCountingPods(QIVBaseUnknown*) { return new CountingPods; }

// A process with one activity of each page kind, and two without pages:
//   Process / Grouping.1 / Station.1 / Loading, Clamping, SpotWelding,
//   StudWelding, ArcWelding;  Process / AssemblyOperation.1
class PropertyEditorsTest : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    QIVPropertyWindowCmd::Register();
    static const QIVFillDictionary pods(T::Grouping, ZELIZitBltMgr::ClassName(), &MakeCountingPods);
    Document()->GetRootActivity(_root);
    QIVISPPActivityModificationEvents_var(_root)->AddListener(
        [this](const QIVSPPActivityNotification& notification) {
          if (notification.kind == QIVSPPActivityNotification::Modified) ++_announced;
        });
    _grouping = Child(_root, T::Grouping);
    _station = Child(_grouping, T::Station);
    for (const char* type : {T::Loading, T::Clamping, T::SpotWelding, T::StudWelding, T::ArcWelding})
      _activities.push_back(Child(_station, type));
    _assembly = Child(_root, T::AssemblyOperation);
    groupingUpdates = 0;
  }

  void TearDown() override {
    _root = _grouping = _station = _assembly = nullptr;
    _activities.clear();
    ModuleTestSession::TearDown();
  }

  static QIVBaseUnknown_var Child(const QIVBaseUnknown_var& parent, const char* type) {
    QIVBaseUnknown_var child;
    QIVISPPChildManagement_var(parent)->CreateChild(type, child);
    return child;
  }

  QIVPropertyWindowCmd* Open(const QIVBaseUnknown_var& activity) {
    if (FAILED(Dispatcher().Deliver(QIVStartEvent(QIVPropertyWindowCmd::ClassName, std::nullopt, activity.get()))))
      return nullptr;
    return dynamic_cast<QIVPropertyWindowCmd*>(Dispatcher().GetActiveCommand());
  }
  HRESULT Type(const std::string& widget, const std::string& text) {
    return Dispatcher().Deliver(QIVWidgetEvent::Type(widget, text));
  }
  HRESULT Press(const char* button) { return Dispatcher().Deliver(QIVWidgetEvent::PressDialog(button)); }
  std::string Text(const std::string& widget) {
    auto* editor = dynamic_cast<QIVDlgEditor*>(Dispatcher().FindWidget(widget));
    return editor ? editor->GetText().str() : "(no editor " + widget + ")";
  }
  static double Attribute(const QIVBaseUnknown_var& activity, const char* name) {
    double value = -1.0;
    QIVISPPActivity_var(activity)->GetAttribute(name, value);
    return value;
  }

  QIVBaseUnknown_var _root, _grouping, _station, _assembly;
  std::vector<QIVBaseUnknown_var> _activities;
  int _announced = 0;
};

TEST_F(PropertyEditorsTest, EachKindShowsItsFieldsForItsActivityTypesOnly) {
  struct Case {
    QIVBaseUnknown_var activity;
    const char* page;
    const char* title;
  };
  const Case cases[] = {
      {_station, "ZELBIWStationEditor", "Station"},
      {_grouping, "ZELBIWGroupingEditor", "Grouping"},
      {_activities[0], "ZELBIWNonValueAddedEditor", "Loading"},
      {_activities[1], "ZELBIWNonValueAddedEditor", "Clamping"},
      {_activities[2], "ZELBIWWeldingEditor", "Point fastening"},
      {_activities[3], "ZELBIWWeldingEditor", "Point fastening"},
      {_activities[4], "ZELBIWCurveFasteningEditor", "Curve fastening"},
  };
  for (const Case& expected : cases) {
    SCOPED_TRACE(expected.page);
    QIVPropertyWindowCmd* window = Open(expected.activity);
    ASSERT_TRUE(window);
    ASSERT_EQ(window->GetPages().size(), 1u);
    const QIVPropertyWindowCmd::Page& page = window->GetPages()[0];
    EXPECT_EQ(page.name, expected.page);
    EXPECT_EQ(page.tab->GetTitle(), expected.title);
    const ZELBIWEditorKind& kind = *ZELBIWEditorKind::Find(expected.page);
    for (int row = 0; row < static_cast<int>(kind.rows.size()); ++row)
      EXPECT_EQ(Text(kind.EditorReference(row)), "0") << kind.rows[row].label;
    EXPECT_EQ(Press("Cancel"), S_OK);
  }
  // The host lists its own pages first; only the module's is built here.
  EXPECT_THAT(QIVIRootProperties_var(_station)->GetListOfEditors(),
              ElementsAre("QIVSPPBasicEditor", "QIVSPPPrecedenceEditor", "QIVSPPItemSpecEditor",
                          "QIVSPPSpecificEditor", "QIVSPPRessSpecEditor", "ZELBIWStationEditor"));
  // A pick filtered by kind interface sees the same: a loading is no station.
  EXPECT_FALSE(QIVOffersInterface(_activities[0].get(), ZELIBIWActivityStation::ClassId()));
  EXPECT_TRUE(QIVOffersInterface(_station.get(), ZELIBIWActivityStation::ClassId()));
  for (const QIVBaseUnknown_var& none : {_root, _assembly}) {
    EXPECT_FALSE(QIVIRootProperties_var(none));
    EXPECT_EQ(Open(none), nullptr);
  }
  EXPECT_THAT(Transcript(), ::testing::Contains(::testing::HasSubstr("has no property pages")));
  EXPECT_EQ(_announced, 0);
}

TEST_F(PropertyEditorsTest, ApplyWritesOncePerChangeAndCancelRestoresEveryAttribute) {
  QIVISPPActivity_var(_station)->SetAttribute("EstimatedInvestmentCost", 1234567.89);
  ASSERT_TRUE(Open(_station));
  EXPECT_EQ(Text("StationAttributes/PrefixEditorName[2]"), "1234567.89");
  EXPECT_EQ(Press("Apply"), S_OK);  // nothing typed: nothing written
  EXPECT_EQ(_announced, 0);

  EXPECT_EQ(Type("StationAttributes/PrefixEditorName[2]", "250000"), S_OK);
  EXPECT_EQ(Type("ProductExitRateEditorName", "40"), S_OK);
  EXPECT_EQ(Press("Apply"), S_OK);
  EXPECT_EQ(Attribute(_station, "EstimatedInvestmentCost"), 250000);
  EXPECT_EQ(Attribute(_station, "ProductExitRate"), 40);
  EXPECT_EQ(_announced, 1);
  EXPECT_EQ(groupingUpdates, 1);  // the station's grouping; the process root has no pods

  EXPECT_EQ(Type("PrefixEditorName[0]", "12"), S_OK);
  EXPECT_EQ(Press("Cancel"), S_OK);
  EXPECT_EQ(Attribute(_station, "EstimatedInvestmentCost"), 1234567.89);
  EXPECT_EQ(Attribute(_station, "ProductExitRate"), 0);
  EXPECT_EQ(Attribute(_station, "SpecifiedPointFasteners"), 0);
  EXPECT_EQ(_announced, 2);  // the restoration, once

  ASSERT_TRUE(Open(_station));
  EXPECT_EQ(Type("ProductExitRateEditorName", "4"), S_OK);
  EXPECT_EQ(Press("OK"), S_OK);
  EXPECT_EQ(Attribute(_station, "ProductExitRate"), 4);
  EXPECT_EQ(_announced, 3);
}

TEST_F(PropertyEditorsTest, RatesAreTypedAsTheReciprocalOfTheStoredTime) {
  const QIVBaseUnknown_var& welding = _activities[2];
  struct Case {
    double stored;
    const char* shown;
    const char* typed;
    double written;
  };
  for (const Case& rate : {Case{0.25, "4", "0", 0.0}, Case{0.0, "0", "2", 0.5}}) {
    QIVISPPActivity_var(welding)->SetAttribute("PointFasteningRate", rate.stored);
    ASSERT_TRUE(Open(welding));
    EXPECT_EQ(Text("_PointFasteningRateEditorName"), rate.shown);
    EXPECT_EQ(Type("_PointFasteningRateEditorName", rate.typed), S_OK);
    EXPECT_EQ(Press("OK"), S_OK);
    EXPECT_EQ(Attribute(welding, "PointFasteningRate"), rate.written);
  }
}

TEST_F(PropertyEditorsTest, ABadValueIsRefusedAndChangesNothing) {
  QIVISPPActivity_var(_activities[0])->SetCycleTime(7.5);
  ASSERT_TRUE(Open(_activities[0]));
  for (const char* bad : {"-1", "abc", "4x", "nan", "inf", "1e999"}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(Type("_CalculatedCycleTimeEditorName", bad), E_FAIL);
    EXPECT_THAT(Dispatcher().GetLastRefusal(), ::testing::HasSubstr("takes numbers"));
    EXPECT_EQ(Text("_CalculatedCycleTimeEditorName"), "7.5");
  }
  EXPECT_EQ(Press("OK"), S_OK);
  double cycleTime = 0.0;
  QIVISPPActivity_var(_activities[0])->GetCycleTime(cycleTime);
  EXPECT_EQ(cycleTime, 7.5);
  EXPECT_EQ(_announced, 0);
}

}  // namespace
