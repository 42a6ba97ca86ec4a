#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSample.h"
#include "BiwplanVerbs.h"
#include "QIVDelayedDestruction.h"
#include "QIVTranscript.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

// One command line and what the program must answer: its exit status and a
// piece of what it writes to standard error (nothing when empty).
struct Case {
  std::vector<std::string> words;  // DOC stands for a fresh copy of the sample document, DIR for its folder
  int status;
  const char* error;
};

const char* const kStation = "process:Process/UnderBody Line/Station 10 Front Floor";
const char* const kLoading = "process:Process/UnderBody Line/Station 10 Front Floor/Load parts";

const Case kCases[] = {
    {{"frobnicate"}, BiwplanExit::Usage, ""},
    {{"new"}, BiwplanExit::Usage, ""},
    {{"new", "DOC"}, BiwplanExit::Failed, "already exists; nothing written (--force replaces it)"},
    {{"info", "DIR/absent.json"}, BiwplanExit::Failed, "absent.json"},
    {{"info", "DOC", "--format", "xml"}, BiwplanExit::Usage, ""},
    {{"list", "DOC", "welds"}, BiwplanExit::Usage, ""},
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
    {{"auto-assign", "DOC", kStation}, BiwplanExit::NothingToDo, "nothing to assign"},
    {{"assign-locators", "DOC", kLoading, "--item", "feature:Nope"}, BiwplanExit::Failed, "Nope"},
    {{"report", "locators", "DOC", "--filter", "some"}, BiwplanExit::Usage, ""},
    {{"update-assemblies", "DOC", "--activity", "Process"}, BiwplanExit::Refused, "is not a BIW activity"},
    {{"export-locations", "DOC", "DIR/absent/out.xml"}, BiwplanExit::Failed, "out.xml"},
    {{"import-welds", "DOC", "DIR/header.csv"}, BiwplanExit::Refused, "is not a weld file"},
    {{"import-welds", "DOC", "DIR/absent.txt"}, BiwplanExit::Failed, "absent.txt"},
    {{"run", "DOC", "DIR/absent.journal"}, BiwplanExit::Failed, "absent.journal"},
    {{"select", "DOC", "--query", "type=nothing"}, BiwplanExit::NothingToDo, "no fastener matches"},
    {{"commands"}, BiwplanExit::Ok, ""},
};

class BiwplanExitStatusTest : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    _folder = fs::temp_directory_path() / ("biwplan-status-" + std::to_string(::getpid()));
    fs::create_directories(_folder);
    BiwplanSession session;
    session.OpenNew((_folder / "doc.json").string());
    std::string error;
    ASSERT_TRUE(BiwplanSample::Build(session.Document(), error)) << error;
    ASSERT_TRUE(BiwplanSave(session));
    std::ofstream(_folder / "header.csv") << "parent,instance,reference\n";
    std::ofstream(_folder / "binary.csv") << "\x01\xFE,instance\n";
    std::ofstream(_folder / "features.csv") << "kind,name,part,x,y,z\n";
    std::ofstream(_folder / "none.txt") << "TOVASK Welds Spot Generation\n3.0\nEndGlobalData\n0\n";
  }
  void TearDown() override {
    QIVDelayedDestruction::Flush();
    QIVTranscript::Current().Clear();
    fs::remove_all(_folder);
  }
  fs::path _folder;
};

TEST_P(BiwplanExitStatusTest, EachVerbAnswersTheStatusOfItsOutcome) {
  std::vector<std::string> words;
  for (std::string word : GetParam().words) {
    if (word == "DOC") word = (_folder / "doc.json").string();
    if (word.rfind("DIR/", 0) == 0) word = (_folder / word.substr(4)).string();
    words.push_back(word);
  }
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const int status = BiwplanRun(words);
  ::testing::internal::GetCapturedStdout();
  const std::string error = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, GetParam().status) << error;
  EXPECT_THAT(error, HasSubstr(GetParam().error));
  if (GetParam().status == BiwplanExit::Ok) {
    EXPECT_EQ(error, "");
  }
}

INSTANTIATE_TEST_SUITE_P(Verbs, BiwplanExitStatusTest, ::testing::ValuesIn(kCases));

}  // namespace
