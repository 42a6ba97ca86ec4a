#include <cerrno>
#include <iostream>
#include <memory>
#include <string>
#include <unordered_set>

#include "BiwplanCli.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanVerbs.h"
#include "QIVFile.h"

namespace {

constexpr const char* kCommand = "ZELVekEditBIWFeatureAppearanceCmd";

struct AppearanceRequest {
  std::string document;
  std::string style;
  std::string graphic;
  BiwplanSaving saving;
};

// Plays the steps added and tells whether the command has shown a box.
bool PlayShowsBox(BiwplanSession& session, BiwplanSteps& steps, int& status) {
  status = steps.Play(session, false);
  return status == BiwplanExit::Ok && !BiwplanOutcome(session, kCommand).boxes.empty();
}

// The planner's steps: each file chosen through its browse button, so that
// a file that is no XML file is refused in the dialog's box; then OK.
int ApplyAppearance(const AppearanceRequest& request) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document)) return BiwplanExit::Failed;
  for (const std::string& path : {request.style, request.graphic}) {
    QIVFile file;
    if (FAILED(QIVFOpen(path, "r", file)))
      return BiwplanFail(QIVDescribeFileError("open", path, errno).str());
  }
  BiwplanSteps steps("appearance");
  int status = steps.Add(JournalVerb::Start, {kCommand}).Play(session, false);
  if (status != BiwplanExit::Ok) return status;
  const std::pair<const char*, const std::string*> rows[] = {{"ButtonTextId1", &request.style},
                                                             {"ButtonTextId2", &request.graphic}};
  for (const auto& [button, path] : rows) {
    if (!PlayShowsBox(session, steps.Add(JournalVerb::Press, {button}).File(*path), status)) {
      if (status != BiwplanExit::Ok) return status;
      continue;
    }
    steps.Add(JournalVerb::Press, {"Cancel"}).Play(session, false);
    BiwplanFail(*path +
                " is not an XML file (an .xml file whose first line holds a tag); nothing was changed");
    return BiwplanExit::Refused;
  }
  if (PlayShowsBox(session, steps.Add(JournalVerb::Press, {"OK"}), status)) {
    BiwplanFail(BiwplanOutcome(session, kCommand).boxes.front().text);
    return BiwplanExit::Refused;
  }
  if (status != BiwplanExit::Ok) return status;
  const QIVCommandOutcome& outcome = BiwplanOutcome(session, kCommand);
  if (outcome.ending == QIVCommandOutcome::Ending::Failed)
    return BiwplanFail("the appearance failed: " + outcome.failure + "; nothing was changed");

  int rule = 0;
  for (const QIVCommandFigure& figure : outcome.figures)
    std::cout << "rule " << ++rule << ": " << figure.name << ": " << figure.value << " feature(s)\n";
  std::unordered_set<QIVBaseUnknown*> changed;
  for (const QIVBaseUnknown_var& object : outcome.modified) changed.insert(object.Identity());
  std::cout << "changed " << changed.size() << " feature(s) by " << rule << " rule(s)\n";
  if (changed.empty()) return BiwplanExit::NothingToDo;
  return request.saving.Finish(session, BiwplanExit::Ok);
}

}  // namespace

void AddAppearanceVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand("appearance",
                                  "Colour fasteners, locating and clamping points and give them graphic "
                                  "representations by the rules of a feature appearance file");
  auto request = std::make_shared<AppearanceRequest>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("--style", request->style, "Style-format file: representation names and their files")
      ->required();
  verb->add_option("--graphic", request->graphic, "Feature appearance file: the rules")->required();
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = ApplyAppearance(*request); });
}
