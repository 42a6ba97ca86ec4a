#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanVerbs.h"
#include "QIVISPPActivity.h"
#include "QIVISPPActivityRoot.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"

namespace {

struct ReallocationRequest {
  std::string document;
  std::string from;
  std::string to;
  std::vector<std::string> fasteners;
  BiwplanSaving saving;
};

// Why the command will not move the fastener, told before it runs; empty
// when it should move.
std::string Obstacle(const ReallocationRequest& request, const QIVBaseUnknown_var& fastener,
                     const QIVBaseUnknown_var& from, const QIVBaseUnknown_var& to) {
  if (!BiwplanIsAssignedTo(fastener, from)) return "not assigned to " + request.from;
  if (QIVISPPActivityRoot_var(to)) return request.to + " is the process root";
  if (FAILED(ZELFastenerServices::IsValidWeldForActivity(fastener, to))) {
    const ZELIBIWFastener_var typed(fastener);
    return "a " + (typed ? typed->GetType().str() : std::string("fastener")) + " does not fit " + request.to;
  }
  return std::string();
}

// The planner's steps: the origin picked, its fasteners picked in the view
// (which selects their lines), the destination picked, the dialog closed.
// There is at least one fastener, so the origin has some and the dialog
// stays open.
void AddReallocationSteps(BiwplanSteps& steps, const ReallocationRequest& request, const std::vector<BiwplanNamedFastener>& picked) {
  std::vector<std::string> fasteners;
  for (const BiwplanNamedFastener& one : picked) fasteners.push_back("fastener:" + one.name);
  steps.Add(JournalVerb::Start, {"ZELVekBIWReallocateWeldCmd"})
      .Add(JournalVerb::Pick, {request.from})
      .Add(JournalVerb::Pick, std::move(fasteners))
      .Add(JournalVerb::Pick, {request.to})
      .Add(JournalVerb::Press, {"Cancel"});
}

bool Showed(const QIVCommandOutcome& outcome, const char* key) {
  for (const QIVBoxShown& box : outcome.boxes)
    if (box.key == key) return true;
  return false;
}

int Reallocate(const ReallocationRequest& request) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document)) return BiwplanExit::Failed;
  const QIVBaseUnknown_var from = BiwplanFindObject(session, request.from);
  if (!from) return BiwplanExit::Failed;
  const QIVBaseUnknown_var to = BiwplanFindObject(session, request.to);
  if (!to) return BiwplanExit::Failed;
  for (const auto* reference : {&request.from, &request.to})
    if (!QIVISPPActivity_var(BiwplanFindObject(session, *reference)))
      return BiwplanFail(*reference + " is not an activity");

  std::vector<BiwplanNamedFastener> picked;
  std::vector<std::string> skipped;
  std::vector<BiwplanNamedFastener> named;
  if (!BiwplanFindFasteners(session, request.fasteners, named)) return BiwplanExit::Failed;
  for (const BiwplanNamedFastener& one : named) {
    if (const std::string obstacle = Obstacle(request, one.fastener, from, to); !obstacle.empty())
      skipped.push_back(one.name + ": " + obstacle);
    else
      picked.push_back(one);
  }

  int moved = 0;
  if (!picked.empty()) {
    BiwplanSteps steps("reallocate");
    AddReallocationSteps(steps, request, picked);
    if (const int played = steps.Play(session, false); played != BiwplanExit::Ok) return played;
    const QIVCommandOutcome& outcome = BiwplanOutcome(session, "ZELVekBIWReallocateWeldCmd");
    const std::string why = Showed(outcome, "WeldAlreadyAssignedMessageId")
                                ? "already assigned to " + request.to
                            : Showed(outcome, "MessageWeldNotFromLoadedParts")
                                ? "its parts are not loaded at the station of " + request.to
                                : "not moved";
    for (const BiwplanNamedFastener& one : picked) {
      if (BiwplanIsAssignedTo(one.fastener, to) && !BiwplanIsAssignedTo(one.fastener, from)) {
        std::cout << "moved " << one.name << '\n';
        ++moved;
      } else {
        skipped.push_back(one.name + ": " + why);
      }
    }
  }
  for (const std::string& line : skipped) std::cout << "skipped " << line << '\n';
  if (moved == 0) return BiwplanExit::NothingToDo;
  return request.saving.Finish(session, BiwplanExit::Ok);
}

}  // namespace

void AddReallocationVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "reallocate", "Move fasteners from one activity to another through the weld reallocation dialog");
  auto request = std::make_shared<ReallocationRequest>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("FROM", request->from,
                   "The origin activity, e.g. process:\"Process/Station.1/SpotWelding.1\"")
      ->required();
  verb->add_option("TO", request->to, "The destination activity")->required();
  verb->add_option("FASTENER", request->fasteners, "Fasteners by name, e.g. \"W0012, A\"")->required();
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = Reallocate(*request); });
}
