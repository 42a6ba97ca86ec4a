#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "BiwplanCli.h"
#include "BiwplanProgress.h"
#include "BiwplanSample.h"
#include "BiwplanSaving.h"
#include "BiwplanVerbs.h"
#include "JournalReader.h"
#include "JournalWords.h"
#include "QIVFile.h"
#include "frame/ZELVekBIWCommandsModule.h"

namespace fs = std::filesystem;

namespace {

// How `commands` marks an entry point that takes an argument.
const char* ArgumentWord(const ZELVekBIWCommandEntry& entry) {
  if (!entry.factoryWithArgument) return "";
  return entry.argument == QIVFactoryArgument::Object ? " OBJECT" : " ARG";
}

// The first comment of a journal, which says what the step does.
std::string JournalTitle(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("# ", 0) == 0) return line.substr(2);
  return std::string();
}

// Runs the biwplan command lines of a step, one a line, with the word DOC
// standing for the demo document; stops at the first that fails.
int RunVerbLines(const std::string& text, const fs::path& step, const fs::path& document) {
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<QIVUnicodeString> words;
    QIVUnicodeString reason;
    if (!JournalWords::Split(line, words, reason))
      return BiwplanFail(step.string() + ":" + std::to_string(number) + ": " + reason.str());
    if (words.empty() || words[0].str().rfind('#', 0) == 0) continue;
    std::vector<std::string> arguments;
    for (const QIVUnicodeString& word : words) arguments.push_back(word == "DOC" ? document.string() : word.str());
    if (arguments[0] == "demo")
      return BiwplanFail(step.string() + ":" + std::to_string(number) + ": a demo step cannot run the demo");
    std::cout << "$ biwplan " << line << '\n';
    if (const int status = BiwplanRun(arguments); status != BiwplanExit::Ok) return status;
  }
  return BiwplanExit::Ok;
}

// The copy of the document as a step left it, for `diff` to review.
bool KeepStep(const fs::path& document, const fs::path& copy) {
  std::error_code failure;
  if (fs::copy_file(document, copy, fs::copy_options::overwrite_existing, failure)) return true;
  BiwplanFail("cannot copy " + document.string() + " to " + copy.string() + ": " + failure.message());
  return false;
}

int RunDemo(const std::string& keep, bool keepSteps) {
  std::error_code failure;
  fs::path folder = keep.empty() ? fs::temp_directory_path(failure) / "biwplan-demo-XXXXXX" : fs::path(keep);
  if (keep.empty()) {
    std::string pattern = folder.string();
    if (!mkdtemp(pattern.data())) return BiwplanFail("cannot create a temporary folder: " + pattern);
    folder = pattern;
  } else if (!fs::create_directories(folder, failure) && failure) {
    return BiwplanFail("cannot create " + keep + ": " + failure.message());
  }
  const fs::path examples = BiwplanSample::ExamplesDirectory();
  // The steps read their input files by name from the demo folder.
  for (const fs::directory_entry& entry : fs::directory_iterator(examples, failure))
    if (entry.is_regular_file()) fs::copy_file(entry.path(), folder / entry.path().filename(),
                                               fs::copy_options::overwrite_existing, failure);
  const fs::path document = folder / "underbody.biwplan.json";
  // The demo publishes to a repository of its own, never to the plant's.
  const fs::path repository = folder / "plant-repository.sqlite";
  setenv("BIWPLAN_REPOSITORY", repository.c_str(), 1);

  std::cout << "== Sample document: the under-body sub-assembly and its line\n";
  {
    BiwplanSession session;
    session.OpenNew(document.string());
    std::string error;
    if (!BiwplanSample::Build(session.Document(), error)) return BiwplanFail(error);
    if (!BiwplanSave(session)) return BiwplanExit::Failed;
    std::cout << "created " << document.string() << " with " << session.Document()->GetAllProducts().Size()
              << " products\n";
  }
  if (keepSteps && !KeepStep(document, folder / "00-sample.json")) return BiwplanExit::Failed;

  std::vector<fs::path> steps;
  for (const fs::directory_entry& entry : fs::directory_iterator(examples / "demo", failure))
    if (entry.path().extension() == ".journal" || entry.path().extension() == ".verbs") steps.push_back(entry.path());
  std::sort(steps.begin(), steps.end());

  const fs::path before = fs::current_path();
  fs::current_path(folder);
  int status = BiwplanExit::Ok;
  for (const fs::path& step : steps) {
    std::string text;
    QIVUnicodeString readError;
    if (FAILED(QIVReadWholeFile(step.string(), text, readError))) {
      status = BiwplanFail(readError.str());
      break;
    }
    std::cout << "\n== " << (JournalTitle(text).empty() ? step.stem().string() : JournalTitle(text)) << '\n';
    if (step.extension() == ".verbs") {
      status = RunVerbLines(text, step, document);
    } else {
      // A journal step follows the rule of `run`: played whole, it saves.
      BiwplanSession session;
      status = BiwplanOpen(session, document.string(), true) ? BiwplanPlayJournal(session, text, step.string())
                                                               : BiwplanExit::Failed;
      if (status == BiwplanExit::Ok && !BiwplanSave(session)) status = BiwplanExit::Failed;
    }
    if (status == BiwplanExit::Ok && keepSteps && !KeepStep(document, folder / (step.stem().string() + ".json")))
      status = BiwplanExit::Failed;
    if (status != BiwplanExit::Ok) break;
  }
  fs::current_path(before);
  std::cout << "\nThe demo document is " << document.string() << "; try: biwplan list " << document.string()
            << " activities\nOpen it in a web browser, the planner's window: biwplan serve " << document.string()
            << "\n  and open the address it prints (Ctrl-C stops it).\n";
  return status;
}

}  // namespace

void AddSessionVerbs(CLI::App& app, int& status) {
  app.add_subcommand("commands", "List the module's commands by class name")->callback([&status] {
    ZELVekBIWCommandsModule::Load();
    for (const ZELVekBIWCommandEntry& entry : ZELVekBIWCommandsModule::Entries())
      std::cout << entry.className << ArgumentWord(entry) << '\n';
    status = BiwplanExit::Ok;
  });
  {
    auto* verb = app.add_subcommand("run", "Play a journal of user events on a document and print the transcript");
    auto path = std::make_shared<std::string>();
    auto journal = std::make_shared<std::string>();
    auto saving = std::make_shared<BiwplanSaving>();
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("JOURNAL", *journal, "Journal file (see docs/journal.md)")->required();
    saving->AddOptions(*verb);
    verb->callback([&status, path, journal, saving] {
      JournalReader::Result read = JournalReader::Read(*journal);
      if (!read.Succeeded()) {
        status = BiwplanFail(read.error->Format().str());
        return;
      }
      BiwplanSession session;
      if (!saving->Open(session, *path)) {
        status = BiwplanExit::Failed;
        return;
      }
      std::string text;
      QIVUnicodeString readError;
      QIVReadWholeFile(*journal, text, readError);
      BiwplanProgress progress("playing " + *journal);
      progress.Watch(session.Session());
      status = saving->Finish(session, BiwplanPlayJournal(session, text, *journal));
    });
  }
  {
    auto* verb = app.add_subcommand("demo", "Build the sample document in a temporary folder and run the main job");
    auto keep = std::make_shared<std::string>();
    auto keepSteps = std::make_shared<bool>(false);
    verb->add_option("--dir", *keep, "Folder to work in instead of a new temporary one");
    verb->add_flag("--keep-steps", *keepSteps,
                   "Keep a copy of the document after each step (00-sample.json, then STEP.json) for diff");
    verb->callback([&status, keep, keepSteps] { status = RunDemo(*keep, *keepSteps); });
  }
}
