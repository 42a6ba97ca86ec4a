#include <gmock/gmock.h>

#include "ActivityCreationTest.h"
#include "QIVDelayedDestruction.h"
#include "QIVISPPActivity.h"
#include "QIVISPPDynamicActivity.h"
#include "QIVISPPFlowMgt.h"
#include "QIVSPPActivityType.h"
#include "activities/ZELVekBIWCreateActivityCmd.h"
#include "activities/ZELVekBIWCreateActivityCommands.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace T = QIVSPPActivityTypes;

namespace {

enum class Rules { Common, Station, Grouping };

// What a planner sees of each command.
struct KindCase {
  const char* className;
  Rules rules;
  const char* createdType;
  // The name proposed in the dialog, before the host's number.
  const char* label;
  const char* message;
};

const KindCase kKinds[] = {
    {"ZELVekBIWCreateACTWeldingActivityCmd", Rules::Common, T::SpotWelding, "SpotWelding",
     "BIW Spot welding activities can only be created as children of station activities."},
    {"ZELVekBIWCreateStudWeldingActivityCmd", Rules::Common, T::StudWelding, "StudWelding",
     "BIW Stud welding activities can only be created as children of station activities."},
    {"ZELVekBIWCreateSpotGluingActivityCmd", Rules::Common, T::SpotGluing, "SpotGluing",
     "BIW Spot gluing activities can only be created as children of station activities."},
    {"ZELVekBIWCreateClinchingActivityCmd", Rules::Common, T::Clinching, "Clinching",
     "BIW Clinching activities can only be created as children of station activities."},
    {"ZELVekBIWCreateArcWeldingActivityCmd", Rules::Common, T::ArcWelding, "ArcWelding",
     "BIW Arc welding activities can only be created as children of station activities."},
    {"ZELVekBIWCreateAdhesiveApplicationActivityCmd", Rules::Common, T::AdhesiveApplication,
     "AdhesiveApplication",
     "BIW Adhesive Application activities can only be created as children of station activities."},
    {"ZELVekBIWCreateSealantApplicationActivityCmd", Rules::Common, T::SealantApplication,
     "SealantApplication",
     "BIW Sealant Application activities can only be created as children of station activities."},
    {"ZELVekBIWCreateClampingActivityCmd", Rules::Common, T::Clamping, "Clamping",
     "BIW Clamping activities can only be created as children of station activities."},
    {"ZELVekBIWCreateUnclampingActivityCmd", Rules::Common, T::Unclamping, "Unclamping",
     "BIW Unclamping activities can only be created as children of station activities."},
    {"ZELVekBIWCreateLoadingActivityCmd", Rules::Common, T::Loading, "Loading",
     "BIW Loading activities can only be created as children of station activities."},
    {"ZELVekBIWCreateUnloadingActivityCmd", Rules::Common, T::Unloading, "Unloading",
     "BIW Unloading activities can only be created as children of station activities."},
    {"ZELVekBIWCreateStationActivityCmd", Rules::Station, T::Station, "Station",
     "An invalid parent for a station activity was selected."},
    {"ZELVekBIWCreateGroupingActivityCmd", Rules::Grouping, T::Grouping, "Grouping",
     "An invalid parent for a grouping activity was selected."},
};

enum class Parent { Station, Grouping, WeldingInStation, NonBIW, ProcessRoot, EmptyDynamic };
enum class Lands { AsChild, AfterInFlow, Refused };

Lands Expected(Rules rules, Parent parent) {
  switch (rules) {
    case Rules::Common:
      return parent == Parent::Station            ? Lands::AsChild
             : parent == Parent::WeldingInStation ? Lands::AfterInFlow
                                                  : Lands::Refused;
    case Rules::Station:
      return parent == Parent::Station                                              ? Lands::AfterInFlow
             : parent == Parent::WeldingInStation || parent == Parent::EmptyDynamic ? Lands::Refused
                                                                                    : Lands::AsChild;
    case Rules::Grouping:
      return parent == Parent::Grouping || parent == Parent::NonBIW || parent == Parent::ProcessRoot
                 ? Lands::AsChild
                 : Lands::Refused;
  }
  return Lands::Refused;
}

const char* ParentName(Parent parent) {
  constexpr const char* names[] = {"station",          "grouping",     "welding in station",
                                   "non-BIW activity", "process root", "empty dynamic activity"};
  return names[static_cast<int>(parent)];
}

}  // namespace

class ZELVekBIWCreateActivityCmdTest : public ActivityCreationTest {
 protected:
  QIVBaseUnknown_var ParentObject(Parent parent) const {
    switch (parent) {
      case Parent::Station:
        return _station;
      case Parent::Grouping:
        return _grouping;
      case Parent::WeldingInStation:
        return _welding;
      case Parent::NonBIW:
        return _assembly;
      case Parent::ProcessRoot:
        return _root;
      case Parent::EmptyDynamic:
        return _dynamic;
    }
    return nullptr;
  }
};

TEST_F(ZELVekBIWCreateActivityCmdTest, EachKindLandsWhereItsParentRulesAllowOrWarns) {
  for (const KindCase& kind : kKinds) {
    for (Parent parent : {Parent::Station, Parent::Grouping, Parent::WeldingInStation, Parent::NonBIW,
                          Parent::ProcessRoot, Parent::EmptyDynamic}) {
      SCOPED_TRACE(std::string(kind.className) + " on " + ParentName(parent));
      const QIVBaseUnknown_var picked = ParentObject(parent);
      QIVBaseUnknown_var flowFather;
      QIVISPPActivity_var(picked)->GetFatherActivity(flowFather);
      const std::vector<std::string> before = ProcessOutline();
      const std::string saved = SavedText();
      const QIVListValQIVUnicodeString nextBefore = NextNames(picked);
      const std::size_t transcriptBefore = Transcript().size();

      ZELVekBIWCreateActivityCmd* command = Start(kind.className);
      ASSERT_NE(command, nullptr);
      EXPECT_EQ(Pick(picked), S_OK);
      const Lands lands = Expected(kind.rules, parent);

      if (lands == Lands::Refused) {
        EXPECT_EQ(SavedText(), saved);
        EXPECT_FALSE(command->GetCreatedActivity());
        std::vector<std::string> lines = Transcript();
        lines.erase(lines.begin(), lines.begin() + static_cast<long>(transcriptBefore));
        EXPECT_THAT(lines,
                    ElementsAre("command started " + std::string(kind.className),
                                std::string("box 0x10100200 \"WARNING\" \"") + kind.message + "\" -> OK"));
        // Re-armed: still waiting for a parent, and the next pick is taken.
        EXPECT_EQ(command->GetCurrentState()->GetName(), "SelectParentActivity");
        EXPECT_FALSE(command->GetParentAgent()->IsOutputSet());
        EXPECT_EQ(Dispatcher().GetActiveCommand(), command);
        EXPECT_EQ(Pick(picked), S_OK);
        EXPECT_EQ(ProcessOutline(), before);
        Dispatcher().Deliver(QIVCancelEvent{});
        continue;
      }

      const QIVISPPAbstractActivity_var created = command->GetCreatedActivity();
      ASSERT_TRUE(created);
      EXPECT_EQ(created->GetActivityType(), kind.createdType);
      QIVBaseUnknown_var father;
      created->GetFatherActivity(father);
      if (lands == Lands::AsChild) {
        EXPECT_TRUE(father == picked);
        EXPECT_EQ(ChildNames(picked).Items().back(), created->GetName());
      } else {
        // After the picked activity, under its father, taking over its next links.
        EXPECT_TRUE(father == flowFather);
        const QIVListValQIVUnicodeString siblings = ChildNames(flowFather);
        EXPECT_EQ(siblings[siblings.Locate(NameOf(picked)) + 1], created->GetName());
        EXPECT_EQ(NextNames(picked), Names({created->GetName().ConvertToChar()}));
        EXPECT_EQ(NextNames(QIVBaseUnknown_var(created)), nextBefore);
      }
      EXPECT_EQ(command->GetCurrentState()->GetName(), "EditDialog");
      ASSERT_NE(Dialog(), nullptr);
      EXPECT_TRUE(Dialog()->IsShown());
      const QIVUnicodeString name = created->GetName();
      EXPECT_EQ(Dialog()->GetActivityName(), kind.label + name.SubString(name.SearchSubString(".")));
      EXPECT_EQ(PressDialog("Cancel"), S_OK);
      EXPECT_EQ(ProcessOutline(), before);
      EXPECT_EQ(SavedText(), saved);
      EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);
    }
  }
}

TEST_F(ZELVekBIWCreateActivityCmdTest, ADynamicActivityIsReplacedByTheActivityItStandsFor) {
  QIVISPPDynamicActivity_var(_dynamic)->SetActivity(_station);
  Start("ZELVekBIWCreateClinchingActivityCmd");
  Pick(_dynamic);
  EXPECT_EQ(ChildNames(_station), Names({"Loading.1", "SpotWelding.1", "Unloading.1", "Clinching.1"}));
  EXPECT_EQ(ChildNames(_dynamic), Names({}));
  EXPECT_TRUE(QIVBaseUnknown_var(Command()->GetParent()) == _station);
  PressDialog("OK");

  // Standing for a grouping, it takes a grouping below it.
  QIVISPPDynamicActivity_var(_dynamic)->SetActivity(_grouping);
  Start("ZELVekBIWCreateGroupingActivityCmd");
  Pick(_dynamic);
  EXPECT_EQ(ChildNames(_grouping), Names({"Station.1", "Grouping.2"}));
  PressDialog("OK");
}

TEST_F(ZELVekBIWCreateActivityCmdTest, CancelAndWindowCloseTakeTheNewActivityOutAgain) {
  for (const char* ending : {"Cancel", "WindowClose"}) {
    SCOPED_TRACE(ending);
    const std::vector<std::string> before = ProcessOutline();
    const std::string saved = SavedText();
    Start("ZELVekBIWCreateArcWeldingActivityCmd");
    Pick(_welding);
    Type("EditorActivityName", "Seam");
    Press("AttributesButton");
    Type("_FastenerProdRateEditorName", "12");
    EXPECT_NE(ProcessOutline(), before);
    EXPECT_EQ(PressDialog(ending), S_OK);
    EXPECT_EQ(ProcessOutline(), before);
    EXPECT_EQ(SavedText(), saved);
    EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);
    EXPECT_THAT(Transcript(), testing::Contains("dialog hidden ZELVekBIWCreateActivityDlg"));
  }
  EXPECT_THAT(Transcript(), testing::Not(testing::Contains(testing::HasSubstr("box"))));
}

TEST_F(ZELVekBIWCreateActivityCmdTest, OKKeepsTheActivityWithTheTypedName) {
  Start("ZELVekBIWCreateLoadingActivityCmd");
  Pick(_station);
  EXPECT_EQ(Dialog()->GetActivityName(), "Loading.2");
  EXPECT_EQ(Type("EditorActivityName", "Load side members"), S_OK);
  EXPECT_EQ(PressDialog("OK"), S_OK);
  EXPECT_EQ(ChildNames(_station), Names({"Loading.1", "SpotWelding.1", "Unloading.1", "Load side members"}));
  EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);
  EXPECT_THAT(Transcript(), ElementsAre("command started ZELVekBIWCreateLoadingActivityCmd",
                                        "dialog shown ZELVekBIWCreateActivityDlg \"\"",
                                        "command ended ZELVekBIWCreateLoadingActivityCmd",
                                        "dialog hidden ZELVekBIWCreateActivityDlg"));
}

TEST_F(ZELVekBIWCreateActivityCmdTest, OnlyTheDialogEndsTheEditingStep) {
  ZELVekBIWCreateActivityCmd* command = Start("ZELVekBIWCreateSpotGluingActivityCmd");
  Pick(_station);
  // Another pick is not for this step.
  EXPECT_EQ(Pick(_welding), E_FAIL);
  EXPECT_EQ(command->GetCurrentState()->GetName(), "EditDialog");
  EXPECT_EQ(ChildNames(_station), Names({"Loading.1", "SpotWelding.1", "Unloading.1", "SpotGluing.1"}));
  // Cancelling the command leaves the activity to the planner.
  EXPECT_EQ(Dispatcher().Deliver(QIVCancelEvent{}), S_OK);
  EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);
  EXPECT_EQ(ChildNames(_station), Names({"Loading.1", "SpotWelding.1", "Unloading.1", "SpotGluing.1"}));
}

TEST_F(ZELVekBIWCreateActivityCmdTest, TheLabelKeepsTheHostNumberFromTheFirstDot) {
  const ZELVekBIWCreateActivityKind& station = ZELVekBIWCreateActivityKinds::Station;
  EXPECT_EQ(ZELVekBIWCreateActivityCmd::BuildDialogLabel(station, "Old.Station.3"), "Station.Station.3");
  EXPECT_EQ(ZELVekBIWCreateActivityCmd::BuildDialogLabel(station, "NoNumber"), "Station");
}
