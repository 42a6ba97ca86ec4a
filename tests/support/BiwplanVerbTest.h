#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSample.h"
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

// A test of biwplan verbs: the sample document saved in a folder of its own
// (named after `FolderPrefix`), the verbs run through the command line
// parser as the program runs them, and the folder removed afterwards.
class BiwplanVerbTest : public ::testing::Test {
 protected:
  using AddVerbs = void (*)(CLI::App& app, int& status);

  BiwplanVerbTest(const char* folderPrefix, AddVerbs addVerbs)
      : _folderPrefix(folderPrefix), _addVerbs(addVerbs) {}

  void SetUp() override {
    _folder = std::filesystem::temp_directory_path() / (_folderPrefix + std::to_string(::getpid()));
    std::filesystem::create_directories(_folder);
    _path = (_folder / "doc.json").string();
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
  // locators"); the exit status, Usage when the command line is refused.
  // What it printed is in `_out` and `_err`.
  int Run(const std::string& verb, std::vector<std::string> arguments) {
    CLI::App app("biwplan", "biwplan");
    int status = BiwplanExit::Ok;
    _addVerbs(app, status);
    arguments.insert(arguments.begin(), _path);
    std::istringstream words(verb);
    const std::vector<std::string> verbWords{std::istream_iterator<std::string>(words), {}};
    arguments.insert(arguments.begin(), verbWords.begin(), verbWords.end());
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    try {
      app.parse(reversed);
    } catch (const CLI::ParseError&) {
      status = BiwplanExit::Usage;
    }
    _out = ::testing::internal::GetCapturedStdout();
    _err = ::testing::internal::GetCapturedStderr();
    return status;
  }

  // The bytes of the document file.
  std::string DocumentText() const {
    std::ifstream in(_path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path _folder;
  std::string _path;
  std::string _out;
  std::string _err;

 private:
  std::string _folderPrefix;
  AddVerbs _addVerbs;
};
