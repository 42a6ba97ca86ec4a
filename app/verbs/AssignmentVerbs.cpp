#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanVerbs.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"

namespace {

struct AssignmentRequest {
  std::string document;
  std::string activity;
  std::vector<std::string> fasteners;
  BiwplanSaving saving;
};

// Why the dialog will not move the fastener, or empty when it should.
std::string AssignObstacle(BiwplanSession& session, const QIVBaseUnknown_var& fastener,
                           const QIVBaseUnknown_var& activity) {
  QIVListValQIVBaseUnknown_var activities;
  int count = 0;
  ZELFastenerServices::GetActivityFromAssignedWeld(fastener, activities, count);
  if (!activities.IsEmpty())
    return "already assigned to " + BiwplanActivityPath(session.Document(), activities[1]);
  if (FAILED(ZELFastenerServices::IsValidWeldForActivity(fastener, activity))) {
    ZELIBIWFastener_var typed(fastener);
    return "a " + (typed ? typed->GetType().str() : std::string("fastener")) + " does not fit this activity";
  }
  return std::string();
}

// The planner's steps: every product's fasteners offered, the activity
// picked in the tree, the fasteners picked in the view (which selects
// their lines), the arrow pressed, the dialog closed.
void AddAssignmentSteps(BiwplanSteps& steps, const AssignmentRequest& request, const std::vector<BiwplanNamedFastener>& picked,
                        bool assign) {
  steps.Add(JournalVerb::Start, {"ZELVekBIWAssignWeldCmd"})
      .Add(JournalVerb::Check, {"CheckAllProductId", "on"})
      .Add(JournalVerb::Pick, {request.activity});
  std::vector<std::string> fasteners;
  for (const BiwplanNamedFastener& one : picked) fasteners.push_back("fastener:" + one.name);
  if (!fasteners.empty()) steps.Add(JournalVerb::Pick, std::move(fasteners));
  steps.Add(JournalVerb::Press, {assign ? "PushButtonAssignId" : "PushButtonUnassignId"})
      .Add(JournalVerb::Press, {"Cancel"});
}

int ChangeAssignments(const AssignmentRequest& request, bool assign) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document)) return BiwplanExit::Failed;
  const QIVBaseUnknown_var activity = BiwplanFindObject(session, request.activity);
  if (!activity) return BiwplanExit::Failed;

  std::vector<BiwplanNamedFastener> wanted;
  if (!BiwplanFindFasteners(session, request.fasteners, wanted)) return BiwplanExit::Failed;

  // Fasteners that cannot move are told now and not picked: picking one
  // that has no line would only be dropped by the dialog.
  std::vector<BiwplanNamedFastener> picked;
  std::vector<std::string> skipped;
  for (const BiwplanNamedFastener& one : wanted) {
    std::string obstacle;
    if (assign)
      obstacle = AssignObstacle(session, one.fastener, activity);
    else if (!BiwplanIsAssignedTo(one.fastener, activity))
      obstacle = "not assigned to " + request.activity;
    if (obstacle.empty())
      picked.push_back(one);
    else
      skipped.push_back(one.name + ": " + obstacle);
  }

  BiwplanSteps steps(assign ? "assign" : "unassign");
  AddAssignmentSteps(steps, request, picked, assign);
  if (const int played = steps.Play(session); played != BiwplanExit::Ok) return played;
  if (!BiwplanOutcome(session, "ZELVekBIWAssignWeldCmd").boxes.empty())
    return BiwplanReport(BiwplanExit::Refused, "nothing was moved: the dialog refused " + request.activity);

  int moved = 0;
  for (const BiwplanNamedFastener& one : picked) {
    if (BiwplanIsAssignedTo(one.fastener, activity) == assign) {
      std::cout << (assign ? "assigned " : "unassigned ") << one.name << '\n';
      ++moved;
    } else {
      skipped.push_back(one.name + ": not offered for this activity");
    }
  }
  for (const std::string& line : skipped) std::cout << "skipped " << line << '\n';
  if (moved == 0) return BiwplanExit::NothingToDo;
  return request.saving.Finish(session, BiwplanExit::Ok);
}

void AddAssignmentVerb(CLI::App& app, int& status, const char* name, bool assign) {
  auto* verb = app.add_subcommand(
      name, assign ? "Assign fasteners to a fastening activity through the manual assignment dialog"
                   : "Take fasteners off a fastening activity through the manual assignment dialog");
  auto request = std::make_shared<AssignmentRequest>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("ACTIVITY", request->activity, "The activity, e.g. process:\"Process/Station.1/SpotWelding.1\"")
      ->required();
  verb->add_option("FASTENER", request->fasteners, "Fasteners by name or reference, e.g. \"W0012, A\" or fastener:\"W0012, A\"")->required();
  request->saving.AddOptions(*verb);
  verb->callback([&status, request, assign] { status = ChangeAssignments(*request, assign); });
}

}  // namespace

void AddAssignmentVerbs(CLI::App& app, int& status) {
  AddAssignmentVerb(app, status, "assign", true);
  AddAssignmentVerb(app, status, "unassign", false);
}
