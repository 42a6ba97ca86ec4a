#include "import/ZELVekBIWReadWeldFromFileCmd.h"

#include <gmock/gmock.h>

#include "QIVApplicationFrame.h"
#include "QIVDlgDialog.h"
#include "QIVDlgEditor.h"
#include "QIVIDocument.h"
#include "QIVListVal.h"
#include "SourceTree.h"
#include "WeldImportTestSupport.h"
#include "ZELIBIWCurveFastener.h"
#include "ZELIBIWFastener.h"
#include "ZELISpotWeld.h"
#include "import/ZELVekBIWReadWeldSelectDlg.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

std::vector<double> SpotWeldValues(const QIVBaseUnknown_var& fastener) {
  QIVRawColldouble values;
  ZELISpotWeld_var(fastener)->GetValues(values);
  return values.Items();
}

std::vector<std::vector<double>> CurvePoints(const QIVBaseUnknown_var& fastener) {
  QIVListVal<QIVRawColldouble> points;
  ZELIBIWCurveFastener_var(fastener)->GetPoints(points);
  std::vector<std::vector<double>> result;
  for (const QIVRawColldouble& point : points) result.push_back(point.Items());
  return result;
}

std::string TypeOf(const QIVBaseUnknown_var& fastener) { return ZELIBIWFastener_var(fastener)->GetType().str(); }
std::string CategoryOf(const QIVBaseUnknown_var& fastener) {
  return ZELIBIWFastener_var(fastener)->GetCategory().str();
}

std::string SummaryBox(const std::string& lines) {
  return "box 0x10100200 \"WeldCreationError\" \"SomeWeldsNotCreated\\n" + lines + "\" -> OK";
}

}  // namespace

// The reader over a small body: a floor with a tunnel, two side members of
// one reference and a cross member.
class ZELVekBIWReadWeldFromFileCmdTest : public WeldImportTest {
 protected:
  void SetUp() override {
    WeldImportTest::SetUp();
    body = Product(nullptr, "Body.1", "BD-100");
    floor = Product(body, "Floor.1", "FL-200");
    tunnel = Product(floor, "Tunnel.1", "TN-210");
    side1 = Product(body, "SideMember.1", "SM-300");
    side2 = Product(body, "SideMember.2", "SM-300");
    cross = Product(body, "CrossMember.1", "CM-400");
  }
  void TearDown() override {
    body = floor = tunnel = side1 = side2 = cross = nullptr;
    WeldImportTest::TearDown();
  }

  // Reads `content` with a new command, as one import does.
  void Import(const std::string& content, const std::string& name = "welds.txt") {
    QIVVar<ZELVekBIWReadWeldFromFileCmd> command = QIVMake<ZELVekBIWReadWeldFromFileCmd>();
    command->ReadWeldFromFile(WriteFile(name, content));
  }

  static WeldRecord Spot(const char* name, std::vector<std::string> parts, const char* jointBody = "JB1") {
    WeldRecord record;
    record.name = name;
    record.parts = std::move(parts);
    record.jointBody = jointBody;
    return record;
  }

  QIVBaseUnknown_var body, floor, tunnel, side1, side2, cross;
};

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, SampleUnderBodyImportsIntoSharedJointsAndReportsTheRefusedRecord) {
  LoadBillOfMaterials(SourcePath("examples/underbody_bom.csv"));
  QIVVar<ZELVekBIWReadWeldFromFileCmd> command = QIVMake<ZELVekBIWReadWeldFromFileCmd>();
  command->ReadWeldFromFile(SourcePath("examples/underbody_welds.txt"));

  std::vector<std::string> expectedJoints;
  for (int k = 1; k <= 19; ++k) expectedJoints.push_back("Assembly Joint." + std::to_string(k));
  EXPECT_EQ(JointNames(), expectedJoints);
  EXPECT_EQ(AllFasteners().Size(), 39);
  // Records naming the rocker and the floor panel in either order share a
  // joint; the seam along them gets its own joint body there.
  const QIVBaseUnknown_var rocker = Joint("Assembly Joint.13");
  EXPECT_THAT(PartsOf(rocker), ElementsAre("RockerLeft.1", "FrontFloorPanel.1"));
  EXPECT_THAT(NamesOf(ChildrenOf(rocker)), ElementsAre("JB_ROCKER_LH", "JB_ROCKER_LH_SEAL"));
  EXPECT_THAT(NamesOf(ChildrenOf(Child(rocker, "JB_ROCKER_LH"))), ElementsAre("W2029, A", "W2030, A"));
  // Paths by "(instance)" tokens and by reference names resolve.
  EXPECT_THAT(PartsOf(Joint("Assembly Joint.10")), ElementsAre("SideMemberInnerLeft.1", "SideMemberOuterLeft.1"));
  EXPECT_THAT(PartsOf(Joint("Assembly Joint.11")), ElementsAre("SideMemberInnerRight.1", "SideMemberOuterRight.1"));
  EXPECT_THAT(PartsOf(Joint("Assembly Joint.17")),
              ElementsAre("FrontCrossMember.1", "SideMemberInnerLeft.1", "SideMemberInnerRight.1"));

  const QIVBaseUnknown_var seam = Child(Child(Joint("Assembly Joint.1"), "JB_FF_TUNNEL_SEAL"), "S2040, S");
  EXPECT_EQ(TypeOf(seam), "sealant");
  EXPECT_EQ(CategoryOf(seam), "endo");
  EXPECT_EQ(CurvePoints(seam), (std::vector<std::vector<double>>{{1100, 0, 262, 0, 0, 0}, {1400, 0, 262, 0, 0, 0}}));
  const QIVBaseUnknown_var clinch = Child(Child(Joint("Assembly Joint.17"), "JB_FRONT_XM"), "W2035, A");
  EXPECT_EQ(TypeOf(clinch), "clinch");
  EXPECT_EQ(CategoryOf(clinch), "exo");
  EXPECT_EQ(SpotWeldValues(clinch), (std::vector<double>{150, 0, 230, 0, 0, 0, 0, 0, 1}));

  EXPECT_THAT(Boxes(), ElementsAre(SummaryBox(
                           "WeldIndex12   ManyInstancesForOnePart - UnderBody.1\\\\FrontFloor.1\\\\FF-1105\\n")));
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, JointsAreSharedByPartSetsWhateverTheOrderAndNumberedFromTheTopGroup) {
  // Two groups stand under the top group already: new joints count on.
  QIVBaseUnknown_var existing;
  ZELIBIWFPPFactory_var(_container)->CreateGroup(_top, existing);
  ZELIBIWFPPFactory_var(_container)->CreateGroup(_top, existing);

  Import(WeldFile({Spot("W1", {"Body.1\\Floor.1", "Body.1\\SideMember.1"}),
                   Spot("W2", {"Body.1\\SideMember.1", "Body.1\\Floor.1"}),
                   Spot("W3", {"Body.1\\Floor.1", "Body.1\\CrossMember.1"}, "JB2"),
                   Spot("W4", {"Body.1\\SideMember.1", "Body.1\\Floor.1"}, "JB3")}));

  EXPECT_THAT(JointNames(), ElementsAre("", "", "Assembly Joint.3", "Assembly Joint.4"));
  const QIVBaseUnknown_var first = Joint("Assembly Joint.3");
  EXPECT_THAT(PartsOf(first), ElementsAre("Floor.1", "SideMember.1"));
  EXPECT_THAT(NamesOf(ChildrenOf(first)), ElementsAre("JB1", "JB3"));
  EXPECT_THAT(NamesOf(ChildrenOf(Child(first, "JB1"))), ElementsAre("W1, A", "W2, A"));
  EXPECT_THAT(PartsOf(Joint("Assembly Joint.4")), ElementsAre("Floor.1", "CrossMember.1"));
  EXPECT_THAT(Boxes(), IsEmpty());
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, AJointOfTheDocumentIsFoundByItsPartsAndItsJointBodyByName) {
  QIVBaseUnknown_var joint, jointBody, other, later, fastener;
  ZELIBIWFPPFactory_var factory(_container);
  factory->CreateGroup(_top, joint);
  ZELIBIWFeaturePartRelations_var(_container)->SetRelatedParts(joint, {side1, floor}, true);
  factory->CreateGroup(joint, other);
  QIVIAlias_var(other)->SetAlias("JB0");
  factory->CreateGroup(joint, jointBody);
  QIVIAlias_var(jointBody)->SetAlias("JB1");
  factory->CreatePointFastener(jointBody, fastener);
  QIVIAlias_var(fastener)->SetAlias("W1");
  factory->CreateGroup(joint, later);
  QIVIAlias_var(later)->SetAlias("JB1");

  // W1 stands in the first JB1 by that very name: skipped. W2 goes in with it.
  Import(WeldFile({Spot("W1", {"Body.1\\Floor.1", "Body.1\\SideMember.1"}),
                   Spot("W2", {"Body.1\\Floor.1", "Body.1\\SideMember.1"})}));
  EXPECT_EQ(JointNames().size(), 1u);
  EXPECT_THAT(NamesOf(ChildrenOf(jointBody)), ElementsAre("W1", "W2, A"));
  EXPECT_THAT(NamesOf(ChildrenOf(other)), IsEmpty());
  EXPECT_THAT(NamesOf(ChildrenOf(later)), IsEmpty());
  EXPECT_THAT(Boxes(), IsEmpty());
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, ImportingTheSameFileTwiceCreatesTheFastenersAgainInTheSameJoints) {
  const std::string file = WeldFile({Spot("W1", {"Body.1\\Floor.1", "Body.1\\SideMember.1"}),
                                     Spot("W1", {"Body.1\\Floor.1", "Body.1\\SideMember.1"})});
  Import(file);
  const long generation = Generation();
  Import(file);
  EXPECT_THAT(JointNames(), ElementsAre("Assembly Joint.1"));
  EXPECT_THAT(NamesOf(ChildrenOf(Joint("Assembly Joint.1"))), ElementsAre("JB1"));
  // The names carry the suffix, so none is line 2 exactly.
  EXPECT_THAT(NamesOf(AllFasteners()), ElementsAre("W1, A", "W1, A", "W1, A", "W1, A"));
  // Each import closes its batch of feature changes.
  EXPECT_EQ(Generation(), generation + 1);
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, PointsTakeTheNineValuesInFileOrderAndCurvesTheirTwoPoints) {
  WeldRecord point = Spot("W1", {"Body.1\\Floor.1", "Body.1\\SideMember.1"});
  point.numbers = {"1.5", "-2", "3e2", "4", "5", "6", "7", "8", "9"};
  WeldRecord curve = Spot("S1", {"Body.1\\Floor.1", "Body.1\\SideMember.1"}, "SEAL");
  curve.kind = "curve";
  curve.type = "sealant";
  curve.numbers = {"10", "20", "30", "40", "50", "60", "70"};
  Import(WeldFile({point, curve}));

  const QIVBaseUnknown_var joint = Joint("Assembly Joint.1");
  const QIVBaseUnknown_var spot = Child(Child(joint, "JB1"), "W1, A");
  // Q1-Q3, then P4-P6 as values 4-6 and P1-P3 as values 7-9.
  EXPECT_EQ(SpotWeldValues(spot), (std::vector<double>{1.5, -2, 300, 7, 8, 9, 4, 5, 6}));
  const QIVBaseUnknown_var seam = Child(Child(joint, "SEAL"), "S1, A");
  EXPECT_FALSE(ZELISpotWeld_var(seam));
  EXPECT_EQ(CurvePoints(seam), (std::vector<std::vector<double>>{{10, 20, 30, 0, 0, 0}, {40, 50, 60, 0, 0, 0}}));
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, TypesAreStoredAsWrittenAndSetTheCategory) {
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"spot weld", "exo"}, {"stud weld", "exo"}, {"clinch", "exo"},    {"arc weld", "exo"},
      {"spot glue", "endo"}, {"adhesive", "endo"}, {"sealant", "endo"}, {"Sealant", "exo"},
      {"SPOT GLUE", "exo"},  {"sealant ", "exo"},  {"rivet", "exo"}};
  std::vector<WeldRecord> records;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    WeldRecord record = Spot("W", {"Body.1\\Floor.1", "Body.1\\Floor.1\\Tunnel.1"});
    record.name += std::to_string(i);
    record.type = expected[i].first;
    records.push_back(record);
  }
  Import(WeldFile(records));
  const QIVListValQIVBaseUnknown_var fasteners = AllFasteners();
  ASSERT_EQ(fasteners.Size(), static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(TypeOf(fasteners[static_cast<int>(i) + 1]), expected[i].first);
    EXPECT_EQ(CategoryOf(fasteners[static_cast<int>(i) + 1]), expected[i].second) << expected[i].first;
  }
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, RecordsWhosePartsCannotBeResolvedAreListedInOneBox) {
  WeldRecord noPart = Spot("W4", {});
  WeldRecord negative = Spot("W5", {});
  negative.partCount = "-1";
  Import(WeldFile({Spot("W1", {"Body.1\\Floor.1", "Body.1\\Roof.1", "Body.1\\CrossMember.1"}),
                   Spot("W2", {"Body.1\\Floor.1", "SM-300"}),
                   Spot("W3", {"Body.1\\Floor.1", "Body.1\\CrossMember.1"}), noPart, negative,
                   Spot("W6", {"Floor.1", "Body.1\\SM-300"}), Spot("W7", {"Body.1\\Floor.1", "\\"})}));

  EXPECT_THAT(NamesOf(AllFasteners()), ElementsAre("W3, A"));
  EXPECT_THAT(Boxes(), ElementsAre(SummaryBox("WeldIndex1   SomePartsMissing - Body.1\\\\Roof.1\\n"
                                              "WeldIndex2   ManyInstancesForOnePart - SM-300\\n"
                                              "WeldIndex4   UnknownError - \\n"
                                              "WeldIndex5   UnknownError - \\n"
                                              "WeldIndex6   ManyInstancesForOnePart - Body.1\\\\SM-300\\n"
                                              "WeldIndex7   SomePartsMissing - \\\\\\n")));
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, PathsResolveByInstanceThenReferenceAndEachProductOncePerRecord) {
  const QIVBaseUnknown_var looseFloor = Product(nullptr, "Floor.1", "FL-999");
  // "(...)" names the token; a reference of one instance stands for it;
  // the second "Floor.1" of a record is the next one in document order.
  Import(WeldFile({Spot("W1", {"Body (Body.1)\\Floor (Floor.1)\\Tunnel.1", "BD-100\\CM-400"}),
                   Spot("W2", {"Floor.1", "Floor.1"}),
                   Spot("W3", {"Floor.1", "Floor.1", "Floor.1"})}));

  EXPECT_THAT(PartsOf(Joint("Assembly Joint.1")), ElementsAre("Tunnel.1", "CrossMember.1"));
  QIVListValQIVBaseUnknown_var parts;
  ZELIBIWFeaturePartRelations_var(_container)->GetRelatedParts(Joint("Assembly Joint.2"), parts);
  ASSERT_EQ(parts.Size(), 2);
  EXPECT_TRUE(parts[1] == floor);
  EXPECT_TRUE(parts[2] == looseFloor);
  EXPECT_THAT(Boxes(), ElementsAre(SummaryBox("WeldIndex3   SomePartsMissing - Floor.1\\n")));
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, NumbersThatDoNotConvertKeepThePreviousRecordsValue) {
  WeldRecord first = Spot("W1", {"Body.1\\Floor.1", "Body.1\\SideMember.1"});
  first.numbers = {"x", "2", "3", "4", "5", "6", "7", "8", "9"};
  WeldRecord second = first;
  second.name = "W2";
  second.numbers = {"10", "twenty", "30", "40", "50", "60", "70", "-", "90"};
  // The part count too: two parts, as in the record before.
  second.partCount = "two";
  Import(WeldFile({first, second}));
  const QIVBaseUnknown_var jointBody = Child(Joint("Assembly Joint.1"), "JB1");
  EXPECT_EQ(SpotWeldValues(Child(jointBody, "W1, A")), (std::vector<double>{0, 2, 3, 7, 8, 9, 4, 5, 6}));
  EXPECT_EQ(SpotWeldValues(Child(jointBody, "W2, A")), (std::vector<double>{10, 2, 30, 70, 8, 90, 40, 50, 60}));
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, AWeldCountThatIsNotANumberCreatesNothingAndShowsNothing) {
  const long generation = Generation();
  Import(WeldFileHeader() + "many\n" + Spot("W1", {"Body.1\\Floor.1", "Nowhere.1"}).Text());
  EXPECT_THAT(JointNames(), IsEmpty());
  EXPECT_THAT(Boxes(), IsEmpty());
  EXPECT_EQ(Generation(), generation + 1);
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, AWeldLineBeyondFiftyLinesUsesUpTheIndexAndEndOfFileStops) {
  std::string filler;
  for (int line = 1; line <= 60; ++line) filler += "filler " + std::to_string(line) + "\n";
  // Index 1 gives up after 50 lines; index 2 finds the record.
  Import(WeldFileHeader() + "3\n" + filler + Spot("W1", {"Body.1\\Lost.1"}).Text() + "EndOfFile\n" +
         Spot("W2", {"Body.1\\Lost.2"}).Text());
  EXPECT_THAT(Boxes(), ElementsAre(SummaryBox("WeldIndex2   SomePartsMissing - Body.1\\\\Lost.1\\n")));
}

TEST_F(ZELVekBIWReadWeldFromFileCmdTest, NothingHappensWithoutAFileOrADocument) {
  Import("");
  QIVVar<ZELVekBIWReadWeldFromFileCmd> command = QIVMake<ZELVekBIWReadWeldFromFileCmd>();
  command->ReadWeldFromFile((_folder / "missing.txt").string());
  Dispatcher().CloseDocument();
  command->ReadWeldFromFile(WriteFile("welds.txt", WeldFile({Spot("W1", {"Body.1\\Floor.1"})})));
  EXPECT_THAT(Boxes(), IsEmpty());
  EXPECT_THAT(JointNames(), IsEmpty());
}

// The reader's lines: comments and blanks skipped for at most fifty lines,
// LF or CR LF ends, a line cut after 1023 characters, and a keyword search
// that gives up after fifty lines.
TEST_F(ZELVekBIWReadWeldFromFileCmdTest, LinesAndSearchesStopAfterFiftyLines) {
  QIVVar<ZELVekBIWReadWeldFromFileCmd> command = QIVMake<ZELVekBIWReadWeldFromFileCmd>();
  std::string comments, lines;
  for (int line = 1; line <= 50; ++line) comments += "## " + std::to_string(line) + "\n";
  for (int line = 1; line <= 50; ++line) lines += "line\n";
  const std::string head(1023, 'a');
  QIVFile opened;
  ASSERT_TRUE(SUCCEEDED(
      QIVFOpen(WriteFile("lines.txt", comments + "d\r\n" + head + "btail\n" + lines + "Weld\n"), "r", opened)));
  QIVLineReader file(opened);
  std::vector<std::string> read;
  for (int i = 0; i < 4; ++i) read.push_back(command->GetNextLine(file).str());
  EXPECT_THAT(read, ElementsAre("## 50", "d", head, "tail"));
  EXPECT_EQ(command->FindNextLine(file, "Weld"), 0);
  EXPECT_EQ(command->FindNextLine(file, "Weld"), 1);
}

TEST(ZELVekBIWReadWeldPartsTest, PartListsDifferBySizeOrByAMissingPartNotByOrder) {
  const QIVBaseUnknown_var a = QIVMake<QIVBaseUnknown>(), b = QIVMake<QIVBaseUnknown>(),
                           c = QIVMake<QIVBaseUnknown>();
  EXPECT_FALSE(ZELVekBIWReadWeldFromFileCmd::ArePartsDifferent({a, b}, {b, a}));
  EXPECT_TRUE(ZELVekBIWReadWeldFromFileCmd::ArePartsDifferent({a, b}, {a, b, c}));
  EXPECT_TRUE(ZELVekBIWReadWeldFromFileCmd::ArePartsDifferent({a, c}, {a, b}));
  // A part named twice still finds a joint of as many parts.
  EXPECT_FALSE(ZELVekBIWReadWeldFromFileCmd::ArePartsDifferent({a, a}, {a, b}));
}

// The command as the planner runs it: started by the dispatcher, driven
// through its dialog.
class ZELVekBIWReadWeldFromFileCmdRunTest : public ZELVekBIWReadWeldFromFileCmdTest {
 protected:
  void SetUp() override {
    ZELVekBIWReadWeldFromFileCmdTest::SetUp();
    ZELVekBIWReadWeldSelectDlg::_bTextOK = false;
  }
  HRESULT Deliver(const QIVUserEvent& event) { return Dispatcher().Deliver(event); }
  // The dialog of the running command; null once it ended.
  ZELVekBIWReadWeldSelectDlg* Dialog() {
    auto* command = dynamic_cast<ZELVekBIWReadWeldFromFileCmd*>(Dispatcher().GetActiveCommand());
    return command ? command->GetDialog() : nullptr;
  }
  std::string GoodFile() {
    return WriteFile("good.txt", WeldFile({Spot("W1", {"Body.1\\Floor.1", "Body.1\\SideMember.1"})}));
  }
};

TEST_F(ZELVekBIWReadWeldFromFileCmdRunTest, TypingAGoodPathAndPressingOKImportsAndEnds) {
  const std::string path = GoodFile();
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELVekBIWReadWeldFromFileCmd"}), S_OK);
  ASSERT_NE(Dialog(), nullptr);
  EXPECT_EQ(Dialog()->GetOKSensitivity(), QIVDlgDisable);
  EXPECT_EQ(Deliver(QIVWidgetEvent::Type("EditorTextPathId", path)), S_OK);
  // The light turns at once; OK follows when the editor is left.
  EXPECT_EQ(Dialog()->GetOKSensitivity(), QIVDlgDisable);
  EXPECT_EQ(Deliver(QIVWidgetEvent::PressDialog(QIVNotificationKind::OK)), E_FAIL);
  EXPECT_EQ(Deliver(QIVWidgetEvent::FocusOut("EditorTextPathId")), S_OK);
  EXPECT_EQ(Dialog()->GetOKSensitivity(), QIVDlgEnable);
  const int busy = Dispatcher().GetApplicationFrame().GetBusyCursorCount();
  EXPECT_EQ(Deliver(QIVWidgetEvent::PressDialog(QIVNotificationKind::OK)), S_OK);

  EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
  EXPECT_EQ(Dispatcher().GetApplicationFrame().GetBusyCursorCount(), busy + 1);
  EXPECT_THAT(NamesOf(AllFasteners()), ElementsAre("W1, A"));
  EXPECT_THAT(Transcript(),
              ElementsAre("command started ZELVekBIWReadWeldFromFileCmd",
                          "dialog shown ZELVekBIWReadWeldSelectDlg \"Read welds from a text file\"",
                          "dialog hidden ZELVekBIWReadWeldSelectDlg", "command ended ZELVekBIWReadWeldFromFileCmd"));
}

TEST_F(ZELVekBIWReadWeldFromFileCmdRunTest, CancelWindowCloseAndEscapeEndWithoutImporting) {
  GoodFile();
  for (const QIVUserEvent& end : std::vector<QIVUserEvent>{QIVWidgetEvent::PressDialog(QIVNotificationKind::Cancel),
                                                           QIVWidgetEvent::PressDialog(QIVNotificationKind::WindowClose),
                                                           QIVCancelEvent{}}) {
    ASSERT_EQ(Deliver(QIVStartEvent{"ZELVekBIWReadWeldFromFileCmd"}), S_OK);
    Deliver(QIVWidgetEvent::Type("EditorTextPathId", (_folder / "good.txt").string()));
    Deliver(QIVWidgetEvent::FocusOut("EditorTextPathId"));
    EXPECT_EQ(Deliver(end), S_OK);
    EXPECT_EQ(Dispatcher().GetCommandCount(), 0);
    EXPECT_THAT(QIVDialog::VisibleDialogs(), IsEmpty());
  }
  EXPECT_THAT(JointNames(), IsEmpty());
}

