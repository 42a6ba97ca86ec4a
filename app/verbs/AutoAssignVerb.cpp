#include <algorithm>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanReports.h"
#include "BiwplanVerbs.h"
#include "QIVDlgMultiList.h"
#include "QIVISPPActivity.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFeature.h"

namespace {

struct AutoAssignRequest {
  std::string document;
  std::string activity;
  std::vector<int> remove;
  BiwplanSaving saving;
};

int AssignedFastenerCount(const QIVIDocument_var& document) {
  _SEQUENCE_QIVBaseUnknown_ptr fasteners;
  ZELFastenerServices::GetListOfAllFasteners(fasteners, QIVBaseUnknown_var(document));
  int assigned = 0;
  for (QIVBaseUnknown* fastener : fasteners)
    if (ZELIBIWFeature_var feature(fastener); feature && feature->GetNumberOfAssignments() > 0) ++assigned;
  QIVReleaseSequence(fasteners);
  return assigned;
}

// The planner's steps once the table is shown: select the rows to drop,
// press Remove, then OK, or Cancel for a dry run.
void AddPruneSteps(BiwplanSteps& steps, const std::set<int>& rows, bool dryRun) {
  if (!rows.empty()) {
    std::vector<std::string> words{"MultiList"};
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) words.push_back(std::to_string(*row - 1));
    steps.Add(JournalVerb::Select, std::move(words)).Add(JournalVerb::Press, {"Remove"});
  }
  steps.Add(JournalVerb::Press, {dryRun ? "Cancel" : "OK"});
}

int AutoAssign(const AutoAssignRequest& request) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document)) return BiwplanExit::Failed;
  const QIVBaseUnknown_var activity = BiwplanFindObject(session, request.activity);
  if (!activity) return BiwplanExit::Failed;
  if (!QIVISPPActivity_var(activity)) return BiwplanFail(request.activity + " is not an activity");

  BiwplanSteps steps("auto-assign");
  const int started = steps.Add(JournalVerb::Start, {"ZELVekBIWAutoAssignWeldCmd", request.activity}).Play(session);
  if (started != BiwplanExit::Ok) return started;
  const auto* list = dynamic_cast<const QIVDlgMultiList*>(session.Dispatcher().FindWidget("MultiList"));
  if (!list) {
    if (BiwplanOutcome(session, "ZELVekBIWAutoAssignWeldCmd").boxes.empty()) return BiwplanFail("the automatic assignment showed no proposal");
    return BiwplanReport(BiwplanExit::NothingToDo, "nothing to assign under " + request.activity);
  }

  const int proposed = list->GetRowCount();
  BiwplanTableOf(*list).Print(std::cout, BiwplanTable::Text);
  const std::set<int> removed(request.remove.begin(), request.remove.end());
  for (int row : removed) {
    if (row >= 1 && row <= proposed) continue;
    steps.Add(JournalVerb::Press, {"Cancel"}).Play(session);
    BiwplanFail("there is no row " + std::to_string(row) + " in the proposal (rows 1 to " +
                std::to_string(proposed) + "); nothing was assigned");
    return BiwplanExit::Usage;
  }
  for (int row : removed) {
    std::cout << "removed row " << row << ": " << list->GetCell(row - 1, 1).str() << " -> "
              << list->GetCell(row - 1, 2).str() << '\n';
  }

  const int assignedBefore = AssignedFastenerCount(session.Document());
  AddPruneSteps(steps, removed, request.saving.DryRun());
  const int played = steps.Play(session);
  if (played != BiwplanExit::Ok) return played;
  if (request.saving.DryRun()) {
    std::cout << "dry run: " << proposed - removed.size() << " fastener(s) would be assigned\n";
    return BiwplanExit::Ok;
  }
  const int assigned = AssignedFastenerCount(session.Document()) - assignedBefore;
  std::cout << "assigned " << assigned << " fastener(s)\n";
  if (assigned == 0) return BiwplanExit::NothingToDo;
  return request.saving.Finish(session, BiwplanExit::Ok);
}

}  // namespace

void AddAutoAssignVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "auto-assign",
      "Propose the unassigned fasteners whose parts all reach an activity or one below it, and assign them");
  auto request = std::make_shared<AutoAssignRequest>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("ACTIVITY", request->activity,
                   "The activity to start from, e.g. process:\"Process/UnderBody Line/Station 10 Front Floor\"")
      ->required();
  verb->add_option("--remove", request->remove, "Rows of the proposal (from 1) to leave out")->expected(1, -1);
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = AutoAssign(*request); });
}
