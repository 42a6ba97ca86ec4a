#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSample.h"
#include "BiwplanVerbs.h"
#include "QIVDelayedDestruction.h"
#include "QIVDlgNotify.h"
#include "QIVIAlias.h"
#include "QIVTranscript.h"
#include "ZELFastenerDisplay.h"
#include "ZELFastenerServices.h"

// The names of the fasteners the activity of the saved document holds, in
// item order.
inline std::vector<std::string> BiwplanSavedAssignments(const std::string& path, const std::string& activity) {
  BiwplanSession session;
  EXPECT_TRUE(BiwplanOpen(session, path));
  QIVListValQIVBaseUnknown_var fasteners;
  ZELFastenerServices::GetWeldFromActivity(BiwplanFindObject(session, activity), fasteners, 0, 0);
  std::vector<std::string> names;
  for (const QIVBaseUnknown_var& fastener : fasteners) names.push_back(QIVIAlias_var(fastener)->GetAlias().str());
  return names;
}

// A test of biwplan verbs: the sample document saved in a folder of the
// test's own, the program run on its words as a planner runs it, and the
// folder removed afterwards.
class BiwplanVerbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _folder = std::filesystem::temp_directory_path() / ("biwplan-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(_folder);
    _path = File("doc.json");
    BiwplanSession session;
    session.OpenNew(_path);
    std::string error;
    ASSERT_TRUE(BiwplanSample::Build(session.Document(), error)) << error;
    ASSERT_TRUE(BiwplanSave(session));
  }
  void TearDown() override {
    QIVDelayedDestruction::Flush();
    // Journal players of later tests read the transcript from its start.
    QIVTranscript::Current().Clear();
    QIVDlgNotify::ClearAnswers();
    ZELFastenerDisplay::Instance().Reset();
    std::filesystem::remove_all(_folder);
  }

  // Runs `biwplan VERB DOC ARGUMENTS...` (VERB may be two words: "report
  // locators"); the exit status. What it printed is in `_out` and `_err`.
  int Run(const std::string& verb, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), _path);
    std::istringstream words(verb);
    arguments.insert(arguments.begin(), std::istream_iterator<std::string>(words), {});
    return Program(arguments);
  }
  // Runs `biwplan WORDS...`.
  int Program(const std::vector<std::string>& words) {
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
  // The bytes of the document file.
  std::string DocumentText() const { return Read(_path); }

  std::filesystem::path _folder;
  std::string _path;
  std::string _out;
  std::string _err;
};
