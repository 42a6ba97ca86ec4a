#include <gmock/gmock.h>

#include <sstream>

#include "ManufAssemblyFlowTestSupport.h"
#include "QIVDlgEditor.h"
#include "QIVEnvironment.h"
#include "QIVFrmEditor.h"
#include "QIVISPPActivityRoot.h"
#include "QIVTrace.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::SizeIs;

namespace {
class ZELBIWUpdateManufAssemblyCmdTest : public ManufAssemblyFlowTest {};

constexpr const char* kCycleBox =
    "box 0x4140200 \"Manufactured Assembly Update\" \"\\nCyclic control flow\\nThe control flow loops: ";
}  // namespace

// Outputs and what they hold.

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, AnActivityWithoutOutputGetsOneLabelledLikeItHoldingItsProducts) {
  QIVBaseUnknown_var station = Child(Root(), "BIWActivityStation", "Station 10");
  QIVBaseUnknown_var load = Child(station, "BIWActivityLoading", "Load parts");
  QIVBaseUnknown_var weld = Child(station, "BIWActivitySpotWelding");
  QIVBaseUnknown_var floor = Product("Floor"), tunnel = Product("Tunnel");
  Handle(load, {floor, tunnel});

  ZELBIWUpdateManufAssemblyCmd* command = Start();
  ASSERT_NE(command, nullptr);
  ASSERT_EQ(PressUpdate(), S_OK);
  EXPECT_THAT(Contents(load), ElementsAre("Floor", "Tunnel"));
  EXPECT_THAT(NamesOf(command->GetCreatedOutputs()), ElementsAre("Load parts"));
  // The station and the welding handle nothing of their own: no output.
  EXPECT_EQ(OutputCount(station), 0);
  EXPECT_EQ(OutputCount(weld), 0);
  EXPECT_THAT(Boxes(), IsEmpty());
  // The new output shows on its activity, and the filled assembly redraws.
  std::vector<std::string> redraws;
  for (const std::string& line : Transcript())
    if (line.rfind("redraw ", 0) == 0) redraws.push_back(line);
  EXPECT_THAT(redraws, ElementsAre("redraw activity \"Load parts\"", "redraw assembly \"Load parts\""));
  EXPECT_EQ(Dispatcher().GetLastOutcome()->redrawn.size(), 2u);

  // A second update empties the same assembly and refills it.
  ZELIMfgAssembly_var(Outputs(load)[1])->AddPart(Product("Stale"));
  ASSERT_EQ(PressUpdate(), S_OK);
  EXPECT_THAT(Contents(load), ElementsAre("Floor", "Tunnel"));
  EXPECT_THAT(AssembliesOfDocument(), ElementsAre("Load parts"));
  EXPECT_EQ(command->GetCurrentState()->GetName(), "InitialState");
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, TwoOutputsAreReportedAndLeftUnchanged) {
  QIVBaseUnknown_var station = Child(Root(), "BIWActivityStation");
  QIVBaseUnknown_var load = Child(station, "BIWActivityLoading", "Load");
  Handle(load, {Product("Floor")});
  QIVISPPFlowMgt_var flow(load);
  for (int i = 0; i < 2; ++i) {
    QIVBaseUnknown_var output, assembly;
    Document()->CreateObject("MfgAssembly", "", 0, assembly);
    ZELIMfgAssembly_var(assembly)->SetLabel(i ? "Second" : "First");
    flow->CreateProductOutput(output);
    QIVISPPProductIO_var(output)->SetProduct(assembly);
  }
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  ASSERT_EQ(PressUpdate(), S_OK);
  EXPECT_THAT(Contents(load), ElementsAre("<2 outputs>"));
  EXPECT_TRUE(command->GetCreatedOutputs().IsEmpty());
  QIVListValQIVBaseUnknown_var parts;
  ZELIMfgAssembly_var(Outputs(load)[1])->GetParts(parts);
  EXPECT_TRUE(parts.IsEmpty());
  EXPECT_THAT(Boxes(),
              ElementsAre("box 0x4140200 \"Manufactured Assembly Update\" \"\\nProduct flow problem at "
                          "activity Load\\nIt outputs more than one manufactured assembly; its output "
                          "was left unchanged.\\n\" -> OK"));
}

// Handing products on along the flow.

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, ALinearFlowHandsEachAssemblyToTheNextActivity) {
  QIVBaseUnknown_var station = Child(Root(), "BIWActivityStation", "Station 10");
  QIVBaseUnknown_var load = Child(station, "BIWActivityLoading", "Load");
  QIVBaseUnknown_var weld = Child(station, "BIWActivitySpotWelding", "Weld");
  QIVBaseUnknown_var unload = Child(station, "BIWActivityUnloading", "Unload");
  Link(load, weld);
  Link(weld, unload);
  QIVBaseUnknown_var floor = Product("Floor"), bracket = Product("Bracket");
  Handle(load, {floor});
  Handle(weld, {bracket});

  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(PressUpdate(), S_OK);
  EXPECT_THAT(Contents(load), ElementsAre("Floor"));
  EXPECT_THAT(FromFlow(weld), ElementsAre("Load"));
  EXPECT_THAT(Contents(weld), ElementsAre("Bracket", "Load"));
  EXPECT_THAT(FromFlow(unload), ElementsAre("Weld"));
  EXPECT_THAT(Contents(unload), ElementsAre("Weld"));
  EXPECT_THAT(FromFlow(load), IsEmpty());
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, StationsInFlowHandOnTheirOwnAssemblies) {
  QIVBaseUnknown_var front = Child(Root(), "BIWActivityStation", "Front");
  QIVBaseUnknown_var rear = Child(Root(), "BIWActivityStation", "Rear");
  Link(front, rear);
  Handle(Child(front, "BIWActivityLoading", "Load front"), {Product("Dash")});
  Handle(front, {Product("Cowl")});
  Handle(rear, {Product("Panel")});
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(PressUpdate(), S_OK);
  EXPECT_THAT(Contents(front), ElementsAre("Cowl"));
  EXPECT_THAT(Contents(rear), ElementsAre("Panel", "Front"));
  EXPECT_THAT(AssembliesOfDocument(), ElementsAre("Load front", "Front", "Rear"));
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, AJoinCollectsTheAssembliesOfBothBranches) {
  Activities at = Station({"Left", "Right", "Join"}, {"Left>Join", "Right>Join"});
  const QIVBaseUnknown_var &left = at["Left"], &right = at["Right"], &join = at["Join"];
  Handle(left, {Product("Left side")});
  Handle(right, {Product("Right side")});
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(PressUpdate(), S_OK);
  EXPECT_THAT(FromFlow(join), ElementsAre("Left", "Right"));
  EXPECT_THAT(Contents(join), ElementsAre("Left", "Right"));
  EXPECT_THAT(Boxes(), IsEmpty());
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, ASplitHandsNothingOnAndWarnsWhenTheBranchesMissProducts) {
  Activities at = Station({"Load", "A", "B", "C"}, {"Load>A", "Load>B", "Load>C"});
  const QIVBaseUnknown_var &load = at["Load"], &a = at["A"], &b = at["B"], &c = at["C"];
  Handle(load, {Product("Floor")});
  Handle(a, {Product("Bolt")});
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  ASSERT_EQ(PressUpdate(), S_OK);
  for (const QIVBaseUnknown_var& next : {a, b, c}) EXPECT_THAT(FromFlow(next), IsEmpty());
  EXPECT_EQ(command->GetWarnings().Size(), 1);
  EXPECT_THAT(Boxes(),
              ElementsAre("box 0x4140200 \"Manufactured Assembly Update\" \"\\nProcess flow problem at "
                          "activity Load\\nIts next activities do not handle all of its products, so "
                          "none were handed on.\\n\" -> OK"));
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, AProductHandedOnLeavesTheActivityThatNoLongerFollows) {
  Activities at = Station({"Load", "First", "Second"}, {"Load>First"});
  const QIVBaseUnknown_var &load = at["Load"], &first = at["First"], &second = at["Second"];
  Handle(load, {Product("Floor")});
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(PressUpdate(), S_OK);
  ASSERT_THAT(FromFlow(first), ElementsAre("Load"));

  QIVISPPFlowMgt_var(load)->RemoveNextActivity(first);
  Link(load, second);
  ASSERT_EQ(PressUpdate(), S_OK);
  EXPECT_THAT(FromFlow(first), IsEmpty());
  EXPECT_THAT(FromFlow(second), ElementsAre("Load"));
}

// Cycles and flow order.

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, ATwoActivityCycleIsReportedOnceHoweverOftenTheUpdateRuns) {
  Activities at = Station({"A", "B"}, {"A>B", "B>A"});
  Handle(at["A"], {Product("Floor")});
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  ASSERT_EQ(PressUpdate(), S_OK);
  // Each activity of the loop is found closing it, seen from its side.
  const std::vector<std::string> firstRun = Texts(command->GetWarnings());
  EXPECT_THAT(firstRun, ElementsAre(HasSubstr("loops: B --> A."), HasSubstr("loops: A --> B.")));
  for (int run = 0; run < 2; ++run) ASSERT_EQ(PressUpdate(), S_OK);
  EXPECT_EQ(Texts(command->GetWarnings()), firstRun);
  const std::vector<std::string> boxes = Boxes();
  ASSERT_THAT(boxes, SizeIs(3));
  EXPECT_EQ(boxes[0].rfind(kCycleBox, 0), 0u) << boxes[0];
  EXPECT_EQ(boxes[0], boxes[2]);
  // The cycle stops the walk before the assemblies below the station.
  EXPECT_THAT(AssembliesOfDocument(), IsEmpty());
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, ALongerCycleNamesTheLinkThatClosesItAndAFlowWithoutOneChecksClean) {
  Activities clean = Station({"A", "B", "C", "D"}, {"A>B", "A>C", "B>D", "C>D"});
  Activities at = Station({"A", "B", "C"}, {"A>B", "B>C", "C>A"});
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  QIVBaseUnknown_var repeated;
  QIVListValQIVBaseUnknown_var path;
  EXPECT_TRUE(command->CheckForCyclicity(clean["A"], repeated, path));
  EXPECT_TRUE(repeated.IsNull());
  // Found one activity down the loop, the warning names the link where the
  // walk saw it close, not the activity it started from.
  command->UpdateOutputProductForActivity(at["A"], 0);
  EXPECT_THAT(Texts(command->GetWarnings()),
              ElementsAre("\nCyclic control flow\nThe control flow loops: C --> B. The flow after it was not updated."));
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, ACycleThePathLosesAtDeadEndsStillEnds) {
  // Each activity of the loop first branches to a dead end, which empties
  // the shared path before the loop closes.
  Activities at =
      Station({"Y1", "A", "Y2", "B", "D1", "D2"}, {"Y1>D1", "Y1>A", "A>Y2", "Y2>D2", "Y2>B", "B>Y1"});
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  QIVBaseUnknown_var repeated;
  QIVListValQIVBaseUnknown_var path;
  EXPECT_FALSE(command->CheckForCyclicity(at["Y1"], repeated, path));
  ASSERT_EQ(PressUpdate(), S_OK);
  EXPECT_FALSE(command->GetWarnings().IsEmpty());
  for (const QIVUnicodeString& warning : command->GetWarnings())
    EXPECT_THAT(warning.str(), HasSubstr(" --> "));
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, ManyBranchesThatJoinAgainAreWalkedOnce) {
  // Thirty splits that join again: two to the power of thirty paths, each
  // activity checked once.
  QIVBaseUnknown_var station = Child(Root(), "BIWActivityStation");
  QIVBaseUnknown_var join = Child(station, "BIWActivityLoading", "J0");
  Handle(join, {Product("Floor")});
  for (int i = 1; i <= 30; ++i) {
    QIVBaseUnknown_var left = Child(station, "BIWActivitySpotWelding");
    QIVBaseUnknown_var right = Child(station, "BIWActivitySpotWelding");
    QIVBaseUnknown_var next = Child(station, "BIWActivitySpotWelding", ("J" + std::to_string(i)).c_str());
    for (const QIVBaseUnknown_var& branch : {left, right}) {
      Link(join, branch);
      Link(branch, next);
    }
    join = next;
  }
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  ASSERT_EQ(PressUpdate(), S_OK);
  // Only the splits are reported: their branches take none of the products.
  for (const std::string& warning : Texts(command->GetWarnings()))
    EXPECT_THAT(warning, HasSubstr("Process flow problem at activity J"));
  EXPECT_THAT(Contents(join), ElementsAre("<0 outputs>"));
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, ReorderingPullsAWholeChainOfPredecessorsForward) {
  Activities at = Station({"D", "C", "B", "A"}, {"A>B", "B>C", "C>D", "A>D"});
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  QIVListValQIVBaseUnknown_var list{at["D"], at["C"], at["B"], at["A"]};
  command->ReOrderActivitiesForControlFlow(list, 1);
  EXPECT_THAT(NamesOf(list), ElementsAre("A", "B", "C", "D"));

  // From a later position the entries before it stay where they are.
  QIVListValQIVBaseUnknown_var tail{at["D"], at["B"], at["A"]};
  command->ReOrderActivitiesForControlFlow(tail, 2);
  EXPECT_THAT(NamesOf(tail), ElementsAre("D", "A", "B"));
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, StartsAreTheFirstActivitiesAboveBIWChildren) {
  QIVBaseUnknown_var plain = Child(Root(), "Activity", "Plain");
  QIVBaseUnknown_var line = Child(plain, "Activity", "Line");
  Child(line, "BIWActivityStation", "Station");
  QIVBaseUnknown_var other = Child(Root(), "Activity", "Other");
  Child(other, "BIWActivityStation", "Station 2");
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  QIVListValQIVBaseUnknown_var starts;
  command->GetValidActivityToStart(Root(), starts);
  EXPECT_THAT(NamesOf(starts), ElementsAre("Line", "Other"));

  Child(Root(), "BIWActivityGrouping", "Grouping");
  starts.RemoveAll();
  command->GetValidActivityToStart(Root(), starts);
  EXPECT_THAT(NamesOf(starts), ElementsAre("Line", "Other", "Process"));
}

// Single updates, picks and ending.

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, ASingleUpdateTouchesOnlyThePickedActivity) {
  Activities at = Station({"Load", "Weld", "Other"}, {"Load>Weld"});
  const QIVBaseUnknown_var &load = at["Load"], &weld = at["Weld"], &other = at["Other"];
  Handle(load, {Product("Floor")});
  Handle(weld, {Product("Bolt")});
  Handle(other, {Product("Roof")});
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  ASSERT_EQ(UpdateOne(load), S_OK);
  EXPECT_EQ(command->GetCurrentState()->GetName(), "SelectActivity");
  EXPECT_EQ(NameOf(command->GetSelectedActivity()), "Load");
  EXPECT_EQ(command->GetPanel()->Find<QIVDlgEditor>("EditSelectedActivity")->GetText(), "Load");
  EXPECT_EQ(QIVFrmEditor::GetCurrentEditor()->GetHSO()->GetSize(), 1);
  EXPECT_THAT(Contents(load), ElementsAre("Floor"));
  EXPECT_THAT(FromFlow(weld), ElementsAre("Load"));
  EXPECT_EQ(OutputCount(weld), 0) << "the next activity is handed the assembly, not updated";
  EXPECT_EQ(OutputCount(other), 0);
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, CancelDeletesTheAssembliesMadeSinceTheLastSingleUpdate) {
  Activities at = Station({"First", "Second", "Third"}, {"Second>Third"});
  const QIVBaseUnknown_var &first = at["First"], &second = at["Second"], &third = at["Third"];
  Handle(first, {Product("Floor")});
  Handle(second, {Product("Roof")});
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(UpdateOne(first), S_OK);
  ASSERT_EQ(Pick(second), S_OK);
  ASSERT_EQ(PressUpdate(), S_OK);
  ASSERT_THAT(FromFlow(third), ElementsAre("Second"));
  ASSERT_EQ(PressDialog(QIVNotificationKind::Cancel), S_OK);
  EXPECT_EQ(Command(), nullptr);
  EXPECT_THAT(AssembliesOfDocument(), ElementsAre("First"));
  EXPECT_EQ(OutputCount(second), 0);
  EXPECT_THAT(FromFlow(third), IsEmpty());
  EXPECT_THAT(Contents(first), ElementsAre("Floor"));
}

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, CancelDeletesWhatWholeUpdatesMadeAndOKKeepsIt) {
  QIVBaseUnknown_var station = Child(Root(), "BIWActivityStation");
  QIVBaseUnknown_var load = Child(station, "BIWActivityLoading", "Load");
  Handle(load, {Product("Floor")});
  for (const char* ending : {QIVNotificationKind::Cancel, QIVNotificationKind::OK}) {
    SCOPED_TRACE(ending);
    ASSERT_NE(Start(), nullptr);
    ASSERT_EQ(PressUpdate(), S_OK);
    ASSERT_EQ(PressUpdate(), S_OK);
    ASSERT_EQ(PressDialog(ending), S_OK);
    EXPECT_EQ(Command(), nullptr);
    const bool kept = std::string(ending) == QIVNotificationKind::OK;
    EXPECT_EQ(AssembliesOfDocument(), kept ? std::vector<std::string>{"Load"} : std::vector<std::string>{});
    EXPECT_EQ(OutputCount(load), kept ? 1 : 0);
  }
  EXPECT_THAT(Transcript(), ::testing::Contains("dialog hidden ManufAssly"));
}

// The warning window.

TEST_F(ZELBIWUpdateManufAssemblyCmdTest, WithTheOutputSwitchWarningsAreRecordedButNotShown) {
  QIVScopedEnv quiet("ADL_ODT_OUT", "1");
  Activities at = Station({"A", "B"}, {"A>B", "B>A"});
  ZELBIWUpdateManufAssemblyCmd* command = Start();
  ASSERT_EQ(PressUpdate(), S_OK);
  EXPECT_EQ(command->GetWarnings().Size(), 2);
  EXPECT_THAT(Boxes(), IsEmpty());
}

