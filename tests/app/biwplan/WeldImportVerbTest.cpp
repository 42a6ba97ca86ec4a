#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "BiwplanCli.h"
#include "BiwplanSample.h"
#include "BiwplanVerbs.h"
#include "QIVDelayedDestruction.h"
#include "QIVDlgNotify.h"
#include "QIVTranscript.h"
#include "ZELFastenerServices.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

std::string Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// biwplan import-welds on the sample document.
class WeldImportVerbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _folder = fs::temp_directory_path() / ("biwplan-import-welds-" + std::to_string(::getpid()));
    fs::create_directories(_folder);
    _path = (_folder / "doc.json").string();
    BiwplanSession session;
    session.OpenNew(_path);
    std::string error;
    ASSERT_TRUE(BiwplanSample::Build(session.Document(), error)) << error;
    ASSERT_TRUE(BiwplanSave(session));
    _welds = (fs::path(BiwplanSample::ExamplesDirectory()) / "underbody_welds.txt").string();
  }
  void TearDown() override {
    QIVDelayedDestruction::Flush();
    QIVTranscript::Instance().Clear();
    QIVDlgNotify::ClearAnswers();
    fs::remove_all(_folder);
  }

  int Run(std::vector<std::string> arguments) {
    CLI::App app("biwplan", "biwplan");
    int status = BiwplanExit::Ok;
    AddWeldImportVerbs(app, status);
    arguments.insert(arguments.begin(), {"import-welds", _path});
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    app.parse(reversed);
    _out = ::testing::internal::GetCapturedStdout();
    _err = ::testing::internal::GetCapturedStderr();
    return status;
  }
  int SavedFastenerCount() {
    BiwplanSession session;
    EXPECT_TRUE(BiwplanOpen(session, _path));
    _SEQUENCE_QIVBaseUnknown_ptr fasteners;
    ZELFastenerServices::GetListOfAllFasteners(fasteners, QIVBaseUnknown_var(session.Document()));
    const int count = static_cast<int>(fasteners.size());
    QIVReleaseSequence(fasteners);
    return count;
  }

  fs::path _folder;
  std::string _path;
  std::string _welds;
  std::string _out;
  std::string _err;
};

TEST_F(WeldImportVerbTest, ImportsTellsWhatWasCreatedAndTheRecordsNotPlacedThenSaves) {
  EXPECT_EQ(Run({_welds, "--save"}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("command started ZELVekBIWReadWeldFromFileCmd\n"));
  EXPECT_THAT(_out, HasSubstr("box 0x10100200 \"WeldCreationError\" \"SomeWeldsNotCreated\\nWeldIndex12   "
                              "ManyInstancesForOnePart - UnderBody.1\\\\FrontFloor.1\\\\FF-1105\\n\" -> OK\n"));
  EXPECT_THAT(_out, HasSubstr("created 19 assembly joints, 22 joint bodies\n"
                              "created 39 fasteners: 1 adhesive, 1 clinch, 3 sealant, 34 spot weld\n"));
  EXPECT_EQ(_err, "");
  EXPECT_EQ(SavedFastenerCount(), 39);
}

TEST_F(WeldImportVerbTest, WithoutSaveTheDocumentFileStaysAsItWas) {
  const std::string before = Content(_path);
  EXPECT_EQ(Run({_welds}), BiwplanExit::Ok);
  EXPECT_EQ(Content(_path), before);
}

TEST_F(WeldImportVerbTest, AFileThatIsNotAWeldFileIsRefusedAndNothingIsSaved) {
  const fs::path notWelds = _folder / "floor.txt";
  std::ofstream(notWelds) << "Weld list of the front floor\n3.0\n";
  const std::string before = Content(_path);
  EXPECT_EQ(Run({notWelds.string(), "--save"}), BiwplanExit::Refused);
  EXPECT_THAT(_out, HasSubstr("box 0x8100000 \"WARNING\" \"The document selected is not a valid text file !!\""));
  EXPECT_THAT(_out, HasSubstr("command ended ZELVekBIWReadWeldFromFileCmd\n"));
  EXPECT_THAT(_err, HasSubstr("is not a weld file"));
  EXPECT_EQ(Content(_path), before);

  EXPECT_EQ(Run({(_folder / "missing.txt").string()}), BiwplanExit::Failed);
  EXPECT_THAT(_err, HasSubstr("missing.txt"));
  EXPECT_EQ(_out, "");
}

}  // namespace
