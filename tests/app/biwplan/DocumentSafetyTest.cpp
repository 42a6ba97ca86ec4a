#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BiwplanVerbTest.h"
#include "QIVISPPChildManagement.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

// The program run on its words as a planner runs it, in a folder of its own
// that holds the sample document.
class DocumentSafetyTest : public BiwplanVerbTest {
 protected:
  static std::string Examples(const std::string& name) {
    return (fs::path(BiwplanSample::ExamplesDirectory()) / name).string();
  }
};

TEST_F(DocumentSafetyTest, NewRefusesAnExistingFileUnlessForced) {
  const std::string doc = _path;
  std::ofstream(doc) << "precious";
  EXPECT_EQ(Program({"new", doc}), BiwplanExit::Failed);
  EXPECT_EQ(_err, "biwplan: " + doc + " already exists; nothing written (--force replaces it)\n");
  EXPECT_EQ(Read(doc), "precious");
  EXPECT_EQ(Program({"new", doc, "--force"}), BiwplanExit::Ok);
  EXPECT_THAT(Read(doc), HasSubstr("\"Process\""));
}

TEST_F(DocumentSafetyTest, WeldsWithCrLfLineEndsImportAsWithLf) {
  std::string welds = Read(Examples("underbody_welds.txt")), crlf;
  for (const char c : welds) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::ofstream(File("welds.txt"), std::ios::binary) << crlf;
  ASSERT_EQ(Program({"new", File("crlf.json"), "--sample"}), BiwplanExit::Ok);
  ASSERT_EQ(Run("import-welds", {Examples("underbody_welds.txt")}), BiwplanExit::Ok);
  ASSERT_EQ(Program({"import-welds", File("crlf.json"), File("welds.txt")}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("created 39 fasteners"));
  EXPECT_EQ(Read(File("crlf.json")), DocumentText());
}

TEST_F(DocumentSafetyTest, UserWordsNeverBecomeStepsOfTheCommands) {
  const std::string doc = _path;
  const std::string before = Read(doc);
  EXPECT_EQ(Program({"create-activity", doc, "Station", "process:Process/UnderBody Line", "--name", "X\nsave"}),
            BiwplanExit::Usage);
  EXPECT_EQ(_err, "biwplan: create-activity: \"X\\nsave\" holds a control character 0x0A\n");
  EXPECT_EQ(Read(doc), before);

  // "cancel" is the file dialog's word for being cancelled, and a file name.
  const fs::path previous = fs::current_path();
  fs::current_path(_folder);
  const int status = Program({"export-locations", doc, "cancel"});
  const std::string exported = _out;
  std::ofstream(File("cancel")) << "<styles/>\n";
  const int appearance =
      Program({"appearance", doc, "--style", "cancel", "--graphic", Examples("appearance-rules.xml")});
  fs::current_path(previous);
  EXPECT_EQ(status, BiwplanExit::Ok) << _err;
  EXPECT_THAT(exported, HasSubstr("wrote cancel.xml\n"));
  EXPECT_THAT(Read(File("cancel.xml")), HasSubstr("<?xml"));
  EXPECT_EQ(appearance, BiwplanExit::Refused);
  EXPECT_THAT(_err, HasSubstr("cancel is not an XML file"));
}

// Two planners change one document at the same moment: every change is
// saved, or refused with the message; none is lost.
TEST_F(DocumentSafetyTest, TwoWritersNeverLoseAChange) {
  const std::string doc = _path;
  int saved = 0;
  std::vector<pid_t> children;
  for (const std::string writer : {"A", "B"}) {
    const pid_t child = fork();
    if (child == 0) {
      if (!std::freopen("/dev/null", "w", stderr) || !std::freopen("/dev/null", "w", stdout)) _exit(255);
      int done = 0;
      for (int round = 0; round < 10; ++round)
        done += BiwplanRun({"add-activity", doc, "process:Process", "Process", writer + std::to_string(round)}) ==
                BiwplanExit::Ok;
      _exit(done);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    saved += WEXITSTATUS(status);
  }
  BiwplanSession session;
  ASSERT_TRUE(BiwplanOpen(session, doc));
  QIVBaseUnknown_var root;
  session.Document()->GetRootActivity(root);
  EXPECT_EQ(QIVISPPChildManagement_var(root)->GetChildren("")->Size(), 1 + saved);
}

TEST_F(DocumentSafetyTest, ASaveRefusesAFileChangedSinceItWasLoaded) {
  const std::string doc = _path;
  const std::string original = Read(doc);
  // Rewritten in place by another program with bytes of the same size and
  // its modification time put back, which only the hash tells.
  BiwplanSession session;
  ASSERT_TRUE(BiwplanOpen(session, doc, true));
  struct stat before {};
  stat(doc.c_str(), &before);
  std::string changed = original;
  changed[changed.find("Process")] = 'p';
  std::ofstream(doc, std::ios::binary) << changed;
  const struct timespec times[2] = {before.st_atim, before.st_mtim};
  utimensat(AT_FDCWD, doc.c_str(), times, 0);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(BiwplanSave(session));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "biwplan: " + doc + " changed since it was loaded; nothing saved\n");
  EXPECT_EQ(Read(doc), changed);
}

}  // namespace
