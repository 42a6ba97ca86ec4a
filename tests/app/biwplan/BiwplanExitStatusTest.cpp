#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "BiwplanProgress.h"
#include "BiwplanVerbTest.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

// What a verb must leave of the document file: the file as it was, or the
// file replaced by a save.
enum class Doc { Untouched, Saved };

// One command line and what the program must answer: its exit status, a
// piece of what it writes to standard error (nothing when empty), and what
// becomes of the document file.
struct Case {
  std::vector<std::string> words;  // DOC stands for a fresh copy of the sample document, DIR for its folder
  int status;
  const char* error;
  Doc file = Doc::Untouched;
};

// A failing case names its command line.
void PrintTo(const Case& c, std::ostream* out) {
  for (const std::string& word : c.words) *out << word << ' ';
}

const char* const kStation = "process:Process/UnderBody Line/Station 10 Front Floor";
const char* const kLoading = "process:Process/UnderBody Line/Station 10 Front Floor/Load parts";
// A spot welding activity of the first station that handles the two parts
// of the one weld "W1, A" (DIR/welds.txt) the document holds.
const char* const kWeld = "process:Process/UnderBody Line/Station 10 Front Floor/Weld";
const char* const kPanel = "product:UnderBody.1/FrontFloor.1/FrontFloorPanel.1";
const char* const kTunnel = "product:UnderBody.1/FrontFloor.1/TunnelReinforcement.1";
const char* const kLine = "process:Process/UnderBody Line";

const Case kCases[] = {
    {{"frobnicate"}, BiwplanExit::Usage, ""},
    {{"new"}, BiwplanExit::Usage, ""},
    {{"new", "DOC"}, BiwplanExit::Failed, "already exists; nothing written (--force replaces it)"},
    {{"info", "DIR/absent.json"}, BiwplanExit::Failed, "absent.json"},
    {{"info", "DOC", "--format", "xml"}, BiwplanExit::Usage, ""},
    {{"list", "DOC", "welds"}, BiwplanExit::Usage, ""},
    {{"list", "DOC", "we\x1B[2J\nlds\xFF"}, BiwplanExit::Usage, "WHAT: we\\x1B[2J\\nlds\\xFF not in"},
    {{"list", "DOC", "products"}, BiwplanExit::Ok, ""},
    {{"import-products", "DOC", "DIR/header.csv"}, BiwplanExit::NothingToDo, "no product"},
    {{"import-products", "DOC", "DIR/binary.csv"}, BiwplanExit::Failed, "binary.csv:1: unknown column \"\\x01\\xFE\""},
    {{"import-features", "DOC", "DIR/header.csv"}, BiwplanExit::Failed, "header.csv:1: unknown column"},
    {{"import-features", "DOC", "DIR/features.csv"}, BiwplanExit::NothingToDo, "holds no feature"},
    {{"import-welds", "DOC", "DIR/none.txt"}, BiwplanExit::NothingToDo, "no fastener of"},
    {{"add-activity", "DOC", "process:Process/Nope", "Process", "X"}, BiwplanExit::Failed, "Nope"},
    {{"create-activity", "DOC", "Nope", "process:Process", "--name", "X"}, BiwplanExit::Usage, "unknown kind"},
    {{"create-activity", "DOC", "Loading", "process:Process", "--name", "X"}, BiwplanExit::Refused, "takes no Loading"},
    {{"properties", "DOC", "process:Process"}, BiwplanExit::Refused, "has no property pages"},
    {{"properties", "DOC", kStation, "--set", "Nope=1"}, BiwplanExit::Usage, "is not FIELD=VALUE"},
    {{"flow", "DOC", kStation, "process:Process/Nope"}, BiwplanExit::Failed, "Nope"},
    {{"handle", "DOC", kStation, "product:Nope.1"}, BiwplanExit::Failed, "Nope.1"},
    {{"assign", "DOC", kStation, "W0012, A"}, BiwplanExit::Failed, "W0012, A"},
    {{"auto-assign", "DOC", "process:Process/UnderBody Line/Station 20 Rear Floor"}, BiwplanExit::NothingToDo,
     "nothing to assign"},
    {{"assign-locators", "DOC", kLoading, "--item", "feature:Nope"}, BiwplanExit::Failed, "Nope"},
    {{"report", "locators", "DOC", "--filter", "some"}, BiwplanExit::Usage, ""},
    {{"update-assemblies", "DOC", "--activity", "Process"}, BiwplanExit::Refused, "is not a BIW activity"},
    {{"export-locations", "DOC", "DIR/absent/out.xml"}, BiwplanExit::Failed, "out.xml"},
    {{"import-welds", "DOC", "DIR/header.csv"}, BiwplanExit::Refused, "is not a weld file"},
    {{"import-welds", "DOC", "DIR/absent.txt"}, BiwplanExit::Failed, "absent.txt"},
    {{"run", "DOC", "DIR/absent.journal"}, BiwplanExit::Failed, "absent.journal"},
    {{"select", "DOC", "--query", "type=nothing"}, BiwplanExit::NothingToDo, "no fastener matches"},
    {{"select", "DOC", "--query", "colour=red"}, BiwplanExit::NothingToDo, "Unknown attribute: colour"},
    {{"commands"}, BiwplanExit::Ok, ""},
    // The saving rule: a verb that succeeds saves; a refusal or --dry-run
    // leaves the file untouched, and --save changes nothing.
    {{"import-products", "DOC", "DIR/bom.csv"}, BiwplanExit::Ok, "", Doc::Saved},
    {{"import-products", "DOC", "DIR/bom.csv", "--dry-run"}, BiwplanExit::Ok, ""},
    {{"import-features", "DOC", "DIR/locators.csv", "--save"}, BiwplanExit::Ok, "", Doc::Saved},
    {{"import-welds", "DOC", "DIR/welds.txt", "--dry-run", "--save"}, BiwplanExit::Ok, ""},
    {{"add-activity", "DOC", kLine, "BIWActivityStation", "Station 40"}, BiwplanExit::Ok, "", Doc::Saved},
    {{"add-activity", "DOC", kLine, "BIWActivityStation", "Station 40", "--dry-run"}, BiwplanExit::Ok, ""},
    {{"unflow", "DOC", kLoading, kWeld}, BiwplanExit::Failed, "there is no link"},
    {{"handle", "DOC", kWeld, "product:UnderBody.1/FrontFloor.1/SeatCrossMemberFront.1"}, BiwplanExit::Ok, "",
     Doc::Saved},
    {{"create-activity", "DOC", "Station", kLine, "--name", "Station 40"}, BiwplanExit::Ok, "", Doc::Saved},
    {{"create-activity", "DOC", "Station", kLine, "--name", "Station 40", "--dry-run"}, BiwplanExit::Ok, ""},
    {{"properties", "DOC", kStation, "--set", "ProductExitRate=40"}, BiwplanExit::Ok, "", Doc::Saved},
    {{"properties", "DOC", kStation}, BiwplanExit::Ok, ""},
    {{"properties", "DOC", kStation, "--set", "ProductExitRate=-1"}, BiwplanExit::Refused, "refuses"},
    {{"assign", "DOC", kWeld, "W1, A"}, BiwplanExit::Ok, "", Doc::Saved},
    {{"assign", "DOC", kWeld, "fastener:W1, A", "--dry-run"}, BiwplanExit::Ok, ""},
    {{"assign", "DOC", kWeld, "W1, B"}, BiwplanExit::Failed, "no fastener named \"W1, B\"; did you mean \"W1, A\"?"},
    {{"unassign", "DOC", kWeld, "W1, A"}, BiwplanExit::NothingToDo, ""},
    {{"auto-assign", "DOC", kStation}, BiwplanExit::Ok, "", Doc::Saved},
    {{"auto-assign", "DOC", kStation, "--dry-run"}, BiwplanExit::Ok, ""},
    {{"preview", "DOC", kWeld, kPanel, kTunnel}, BiwplanExit::Ok, ""},
    {{"reallocate", "DOC", kWeld, kLoading, "W1, A"}, BiwplanExit::NothingToDo, ""},
    {{"balance", "DOC", kLine}, BiwplanExit::Ok, "", Doc::Saved},
    {{"balance", "DOC", kLine, "--dry-run", "--format", "json"}, BiwplanExit::Ok, ""},
    {{"balance", "DOC", kLine, "--lock", "W1, A"}, BiwplanExit::NothingToDo, ""},
    {{"balance", "DOC", kLoading}, BiwplanExit::NothingToDo, "no fastening activity under"},
    {{"balance", "DOC", kLine, "--time-limit", "0"}, BiwplanExit::Usage, ""},
    {{"assign-locators", "DOC", kLoading, "--item", kPanel}, BiwplanExit::Ok, "", Doc::Saved},
    {{"assign-locators", "DOC", kLoading, "--item", kPanel, "--dry-run"}, BiwplanExit::Ok, ""},
    {{"update-assemblies", "DOC"}, BiwplanExit::Ok, "", Doc::Saved},
    {{"update-assemblies", "DOC", "--dry-run"}, BiwplanExit::Ok, ""},
    {{"run", "DOC", "DIR/colours.journal"}, BiwplanExit::Ok, "", Doc::Saved},
    {{"run", "DOC", "DIR/colours.journal", "--dry-run"}, BiwplanExit::Ok, ""},
    {{"run", "DOC", "DIR/broken.journal"}, BiwplanExit::Failed, "NoSuchCmd"},
    {{"show", "DOC", "process:Process/UnderBody Line/Station 10 Front Flor"}, BiwplanExit::Failed,
     "did you mean \"Process/UnderBody Line/Station 10 Front Floor\""},
    {{"show", "DOC", "fastener:W1, A", "--format", "csv"}, BiwplanExit::Ok, ""},
    {{"diff", "DOC", "DOC"}, 0, ""},
    {{"diff", "DOC", "DIR/absent.json"}, 2, "absent.json"},
};

// One spot weld joining the front floor panel and the tunnel reinforcement.
const char* const kWeldFile =
    "TOVASK Welds Spot Generation\n3.0\nUnit mm\nProduct UnderBody.1\nEndGlobalData\n1\n\n"
    "Weld\n1\nW1\npoint\n2\n"
    "UnderBody.1\\FrontFloor.1\\FrontFloorPanel.1\nSheet\nDC04\n0.8\n"
    "UnderBody.1\\FrontFloor.1\\TunnelReinforcement.1\nSheet\nHX340\n1.2\n"
    "JB1\nA\nLayers 2\n2.0\nspot weld\n"
    "Station UB010\nRobot R02\nGun G02\nProgram P001\nQuality Q1\nCheck visual\nStatus released\n1\n"
    "1060.5\n-560.25\n6.625\n0.125\n-0.5\n0.75\n10.5\n20.25\n-30.125\nEndWeld\n";

class BiwplanExitStatusTest : public BiwplanVerbTest, public ::testing::WithParamInterface<Case> {
 protected:
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    std::ofstream(File("header.csv")) << "parent,instance,reference\n";
    std::ofstream(File("binary.csv")) << "\x01\xFE,instance\n";
    std::ofstream(File("features.csv")) << "kind,name,part,x,y,z\n";
    std::ofstream(File("none.txt")) << "TOVASK Welds Spot Generation\n3.0\nEndGlobalData\n0\n";
    std::ofstream(File("welds.txt")) << kWeldFile;
    std::ofstream(File("bom.csv")) << "parent,instance,reference\nUnderBody.1,Bracket.1,UB-9001\n";
    std::ofstream(File("locators.csv")) << "kind,name,part,x,y,z\nlocating-point,LP_X,UnderBody.1,1,2,3\n";
    std::ofstream(File("colours.journal")) << "start ZELVekBIWResetFastenerColorCmd\nsave\n";
    std::ofstream(File("broken.journal")) << "start NoSuchCmd\n";
    ASSERT_EQ(Run("import-welds", {File("welds.txt")}), BiwplanExit::Ok);
    ASSERT_EQ(Run("add-activity", {kStation, "BIWActivitySpotWelding", "Weld"}), BiwplanExit::Ok);
    ASSERT_EQ(Run("handle", {kWeld, kPanel, kTunnel}), BiwplanExit::Ok);
  }
};

TEST_P(BiwplanExitStatusTest, EachVerbAnswersTheStatusOfItsOutcome) {
  std::vector<std::string> words;
  for (std::string word : GetParam().words) {
    if (word == "DOC") word = _path;
    if (word.rfind("DIR/", 0) == 0) word = File(word.substr(4));
    words.push_back(word);
  }
  const std::string before = DocumentText(), held = File("held.json");
  // The link holds the file as it was, so that a save, which replaces it,
  // cannot give its replacement the same inode.
  fs::create_hard_link(_path, held);
  const int status = Program(words);
  EXPECT_EQ(status, GetParam().status) << _err;
  EXPECT_THAT(_err, HasSubstr(GetParam().error));
  if (GetParam().status == BiwplanExit::Ok) {
    EXPECT_EQ(_err, "");
  }
  if (GetParam().file == Doc::Saved) {
    EXPECT_FALSE(fs::equivalent(_path, held)) << "not saved";
  } else {
    EXPECT_TRUE(fs::equivalent(_path, held)) << "the document file was replaced";
    EXPECT_TRUE(DocumentText() == before) << "the document file changed";
  }
}

INSTANTIATE_TEST_SUITE_P(Verbs, BiwplanExitStatusTest, ::testing::ValuesIn(kCases));

// The weld import's record values, read back from the JSON listing, are the
// numbers of the weld file: x, y, z, then the six numbers after them as
// roll, pitch, yaw (the last three) and approach (the first three).
TEST_F(BiwplanExitStatusTest, JsonListingGivesTheWeldFilesNumbersExactly) {
  ASSERT_EQ(Run("list", {"fasteners", "--format", "json"}), BiwplanExit::Ok);
  const auto listing = nlohmann::json::parse(_out);
  ASSERT_EQ(listing["items"].size(), 1u);
  const auto& weld = listing["items"][0];
  EXPECT_EQ(weld["name"], "W1, A");
  EXPECT_EQ(weld["values"], nlohmann::json({1060.5, -560.25, 6.625, 10.5, 20.25, -30.125, 0.125, -0.5, 0.75}));
  EXPECT_EQ(weld["designPosition"]["x"], 1060.5);
  EXPECT_EQ(weld["manufacturingPosition"], nullptr);
  EXPECT_EQ(weld["color"], nullptr);
}

}  // namespace

namespace {

// What commands tell of their progress reaches a bar on a terminal once the
// work has taken a second, never a pipe and never the transcript; the bar
// wipes itself.
TEST(BiwplanProgressTest, DrawsOnATerminalAfterASecondOnlyAndWipesItself) {
  BiwplanProgress::Clock::time_point now;
  const auto clock = [&now] { return now; };
  std::ostringstream terminal, pipe;
  QIVSession session;
  {
    BiwplanProgress bar("importing", terminal, true, clock);
    BiwplanProgress quiet("importing", pipe, false, clock);
    bar.Watch(session);
    QIVProgressWatcher::Raise({"reading welds", 1, 4});
    EXPECT_EQ(terminal.str(), "");
    now += std::chrono::milliseconds(1500);
    QIVProgressWatcher::Raise({"reading welds", 2, 4});
    quiet.Step(2, 4);
    EXPECT_EQ(terminal.str(), "\r\x1b[Kreading welds [###############               ] 2/4");
  }
  EXPECT_EQ(terminal.str().substr(terminal.str().size() - 4), "\r\x1b[K");
  EXPECT_EQ(pipe.str(), "");
  EXPECT_EQ(session.GetTranscript().Size(), 0u);
}

}  // namespace
