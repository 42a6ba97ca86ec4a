#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanStationVerbs.h"
#include "BiwplanSteps.h"
#include "BiwplanTable.h"
#include "QIVDlgCheckButton.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "ZELFastenerServices.h"
#include "ZELSimulationWorld.h"

namespace {

constexpr const char* kCommand = "ZELVekFasteningSyncCmd";

struct Synchronisation {
  std::string document;
  std::string activity;
  bool isolation = false;
  bool entireProcess = false;
};

std::string Position(const QIVBaseUnknown_var& product) {
  QIVMathTransformation placement;
  QIVRawColldouble values;
  if (FAILED(QIVIProduct_var(product)->GetAbsolutePosition(placement)) ||
      FAILED(ZELFastenerServices::FromQIVMathToYPR(placement, values)))
    return "-";
  std::string text;
  for (double value : values) text += (text.empty() ? "" : " ") + QIVUnicodeString::Format("%g", value).str();
  return text;
}

// The products of the document as the world holds them: each with its
// state and, when it stands in the world, its position.
void PrintWorld(BiwplanSession& session, const ZELSimulationWorld& world) {
  BiwplanTable table({"product", "state", "position"});
  for (const QIVBaseUnknown_var& product : session.Document()->GetAllProducts()) {
    const ZELSimulationWorld::State state = world.GetState(product);
    table.AddRow({BiwplanProductPath(session.Document(), product), ZELSimulationWorld::StateName(state),
                  state == ZELSimulationWorld::State::Absent ? "-" : Position(product)});
  }
  table.Print(std::cout, BiwplanTable::Text);
}

// The planner's steps: the synchronisation started, its mode checked when
// one is asked for, the activity indicated; once the world is read, the
// command is cancelled, which puts the design locations back.
int Synchronise(const Synchronisation& request) {
  if (request.isolation && request.entireProcess)
    return BiwplanReport(BiwplanExit::Usage, "sync: --isolation and --entire-process exclude each other");
  BiwplanSession session;
  if (!BiwplanOpen(session, request.document)) return BiwplanExit::Failed;
  const QIVBaseUnknown_var activity = BiwplanFindObject(session, request.activity);
  if (!activity) return BiwplanExit::Failed;
  if (!QIVISPPActivity_var(activity)) return BiwplanFail(request.activity + " is not an activity");

  BiwplanSteps steps("sync");
  steps.Add(JournalVerb::Start, {kCommand});
  if (request.isolation || request.entireProcess)
    steps.Add(JournalVerb::Check, {request.isolation ? "RadioStationIsolation" : "RadioEntireProcess", "on"});
  int status = steps.Add(JournalVerb::Pick, {request.activity}).Play(session, false);
  if (status != BiwplanExit::Ok) return status;
  const QIVCommandOutcome& outcome = BiwplanOutcome(session, kCommand);
  if (outcome.ending == QIVCommandOutcome::Ending::Failed)
    return BiwplanFail("the synchronisation failed: " + outcome.failure);
  {
    QIVSession::Scope scope(session.Session());
    const ZELSimulationWorld& world = ZELSimulationWorld::Instance();
    if (QIVISPPActivity_var station = world.GetStation()) {
      const auto* isolation =
          dynamic_cast<const QIVDlgCheckButton*>(session.Dispatcher().FindWidget("RadioStationIsolation"));
      std::cout << "world at " << BiwplanActivityPath(session.Document(), world.GetStation()) << " ("
                << (isolation && isolation->GetState() ? "station in isolation" : "entire process") << ")\n";
      PrintWorld(session, world);
    } else {
      status = BiwplanReport(BiwplanExit::NothingToDo,
                             request.activity + " lies in no station, assembly operation or grouping");
    }
  }
  const int cancelled = steps.Add(JournalVerb::Cancel, {}).Play(session, false);
  return status != BiwplanExit::Ok ? status : cancelled;
}

}  // namespace

void AddSynchronisationVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "sync",
      "Bring the simulated world to the state of the station of an activity and print the products there");
  auto request = std::make_shared<Synchronisation>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("ACTIVITY", request->activity, "An activity, e.g. process:\"Process/Station.1/Loading.1\"")
      ->required();
  verb->add_flag("--isolation", request->isolation, "Only the products the station itself handles");
  verb->add_flag("--entire-process", request->entireProcess,
                 "The products the process brought in up to the station too");
  verb->callback([&status, request] { status = Synchronise(*request); });
}
