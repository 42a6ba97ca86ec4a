#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSample.h"
#include "BiwplanVerbs.h"
#include "QIVISPPActivity.h"
#include "QIVDelayedDestruction.h"
#include "QIVTranscript.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

// The program run on its words as a planner runs it, in a folder of its own.
class DocumentSafetyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _folder = fs::temp_directory_path() / ("biwplan-safety-" + std::to_string(::getpid()));
    fs::create_directories(_folder);
  }
  void TearDown() override {
    QIVDelayedDestruction::Flush();
    QIVTranscript::Current().Clear();
    fs::remove_all(_folder);
  }

  int Run(const std::vector<std::string>& words) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = BiwplanRun(words);
    _out = ::testing::internal::GetCapturedStdout();
    _err = ::testing::internal::GetCapturedStderr();
    return status;
  }
  std::string File(const std::string& name) const { return (_folder / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static std::string Examples(const std::string& name) {
    return (fs::path(BiwplanSample::ExamplesDirectory()) / name).string();
  }

  fs::path _folder;
  std::string _out, _err;
};

TEST_F(DocumentSafetyTest, NewRefusesAnExistingFileUnlessForced) {
  const std::string doc = File("doc.json");
  std::ofstream(doc) << "precious";
  EXPECT_EQ(Run({"new", doc}), BiwplanExit::Failed);
  EXPECT_EQ(_err, "biwplan: " + doc + " already exists; nothing written (--force replaces it)\n");
  EXPECT_EQ(Read(doc), "precious");
  EXPECT_EQ(Run({"new", doc, "--force"}), BiwplanExit::Ok);
  EXPECT_THAT(Read(doc), HasSubstr("\"Process\""));
}

TEST_F(DocumentSafetyTest, WeldsWithCrLfLineEndsImportAsWithLf) {
  std::string welds = Read(Examples("underbody_welds.txt")), crlf;
  for (const char c : welds) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::ofstream(File("welds.txt"), std::ios::binary) << crlf;
  for (const char* doc : {"lf.json", "crlf.json"}) ASSERT_EQ(Run({"new", File(doc), "--sample"}), BiwplanExit::Ok);
  ASSERT_EQ(Run({"import-welds", File("lf.json"), Examples("underbody_welds.txt"), "--save"}), BiwplanExit::Ok);
  ASSERT_EQ(Run({"import-welds", File("crlf.json"), File("welds.txt"), "--save"}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("created 39 fasteners"));
  EXPECT_EQ(Read(File("crlf.json")), Read(File("lf.json")));
}

// A chain of 257 products would be saved unreadable: the import refuses it.
TEST_F(DocumentSafetyTest, ABillOfMaterialsDeeperThanADocumentHoldsIsRefused) {
  const std::string doc = File("doc.json");
  ASSERT_EQ(Run({"new", doc}), BiwplanExit::Ok);
  std::string bom = "parent,instance,reference\n", parent;
  for (int level = 1; level <= 257; ++level) {
    bom += parent + ",L" + std::to_string(level) + ",R\n";
    parent += (parent.empty() ? "L" : "/L") + std::to_string(level);
  }
  std::ofstream(File("deep.csv")) << bom;
  const std::string before = Read(doc);
  EXPECT_EQ(Run({"import-products", doc, File("deep.csv")}), BiwplanExit::Failed);
  EXPECT_THAT(_err, HasSubstr("deep.csv:258: \"L257\" would lie 257 levels deep; a document holds at most 256"));
  EXPECT_EQ(Read(doc), before);
}

TEST_F(DocumentSafetyTest, UserWordsNeverBecomeStepsOfTheCommands) {
  const std::string doc = File("doc.json");
  ASSERT_EQ(Run({"new", doc, "--sample"}), BiwplanExit::Ok);
  const std::string before = Read(doc);
  EXPECT_EQ(Run({"create-activity", doc, "Station", "process:Process/UnderBody Line", "--name", "X\nsave"}),
            BiwplanExit::Usage);
  EXPECT_EQ(_err, "biwplan: create-activity: \"X\\nsave\" holds a control character 0x0A\n");
  EXPECT_EQ(Read(doc), before);

  // "cancel" is the file dialog's word for being cancelled, and a file name.
  const fs::path previous = fs::current_path();
  fs::current_path(_folder);
  const int status = Run({"export-locations", doc, "cancel"});
  fs::current_path(previous);
  EXPECT_EQ(status, BiwplanExit::Ok) << _err;
  EXPECT_THAT(_out, HasSubstr("wrote cancel.xml\n"));
  EXPECT_THAT(Read(File("cancel.xml")), HasSubstr("<?xml"));
}

// Two planners change one document at the same moment, twenty times each:
// every change is saved, or refused with the message; none is lost.
TEST_F(DocumentSafetyTest, TwoWritersNeverLoseAChange) {
  const std::string doc = File("doc.json");
  ASSERT_EQ(Run({"new", doc, "--sample"}), BiwplanExit::Ok);
  constexpr int kRounds = 20;
  const std::vector<std::string> writers{"A", "B"};
  std::vector<pid_t> children;
  for (const std::string& writer : writers) {
    const pid_t child = fork();
    if (child == 0) {
      if (!std::freopen(File(writer + ".err").c_str(), "w", stderr) || !std::freopen("/dev/null", "w", stdout))
        _exit(255);
      int saved = 0;
      for (int round = 0; round < kRounds; ++round)
        if (BiwplanRun({"add-activity", doc, "process:Process", "Process", writer + std::to_string(round)}) ==
            BiwplanExit::Ok)
          ++saved;
      std::fflush(stderr);
      _exit(saved);
    }
    children.push_back(child);
  }
  std::map<std::string, int> saved;
  for (std::size_t i = 0; i < children.size(); ++i) {
    int status = 0;
    waitpid(children[i], &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    saved[writers[i]] = WEXITSTATUS(status);
  }
  std::map<std::string, int> found;
  BiwplanSession session;
  ASSERT_TRUE(BiwplanOpen(session, doc));
  for (const QIVBaseUnknown_var& object : session.Document()->GetAllObjects())
    if (const QIVISPPActivity_var activity = object) {
      const std::string path = BiwplanActivityPath(session.Document(), object);
      if (path.rfind("Process/", 0) == 0 && path.find('/', 8) == std::string::npos) ++found[path.substr(8, 1)];
    }
  for (const std::string& writer : writers) {
    SCOPED_TRACE(writer);
    const std::string errors = Read(File(writer + ".err"));
    int refused = 0;
    for (std::size_t at = 0; (at = errors.find("changed since it was loaded; nothing saved", at)) != std::string::npos; ++at)
      ++refused;
    EXPECT_EQ(found[writer], saved[writer]);
    EXPECT_EQ(saved[writer] + refused, kRounds) << errors;
  }
}

TEST_F(DocumentSafetyTest, ASaveRefusesAFileChangedSinceItWasLoaded) {
  const std::string doc = File("doc.json");
  ASSERT_EQ(Run({"new", doc, "--sample"}), BiwplanExit::Ok);
  const std::string original = Read(doc);
  // Rewritten by another program; then rewritten in place with bytes of
  // the same size and its modification time put back, which only the
  // hash tells.
  for (const bool sameSizeAndTime : {false, true}) {
    SCOPED_TRACE(sameSizeAndTime);
    std::ofstream(doc, std::ios::binary) << original;
    BiwplanSession session;
    ASSERT_TRUE(BiwplanOpen(session, doc, true));
    struct stat before {};
    stat(doc.c_str(), &before);
    std::string changed = original;
    changed[changed.find("Process")] = 'p';
    std::ofstream(doc, std::ios::binary) << (sameSizeAndTime ? changed : changed + "\n");
    if (sameSizeAndTime) {
      const struct timespec times[2] = {before.st_atim, before.st_mtim};
      utimensat(AT_FDCWD, doc.c_str(), times, 0);
    }
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(BiwplanSave(session));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "biwplan: " + doc + " changed since it was loaded; nothing saved\n");
    EXPECT_EQ(Read(doc).substr(0, changed.size()), changed);
  }
}

}  // namespace
