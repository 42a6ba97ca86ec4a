#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanReports.h"
#include "BiwplanSaving.h"
#include "BiwplanStationVerbs.h"
#include "BiwplanSteps.h"
#include "BiwplanTable.h"
#include "QIVDlgMultiList.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVSPPActivityType.h"

namespace {

constexpr const char* kCommand = "ZELVekBIWInsertStandardStationCmd";

struct StationInsertion {
  std::string document;
  std::string grouping;
  std::string resource;
  std::string choice;
  BiwplanSaving saving;
};

const QIVDlgMultiList* StationList(BiwplanSession& session) {
  return dynamic_cast<const QIVDlgMultiList*>(session.Dispatcher().FindWidget("MultiListBoxId"));
}

// The row whose template or station is named `choice`, -1 when none.
int FindRow(const QIVDlgMultiList& list, const std::string& choice) {
  for (int row = 0; row < list.GetRowCount(); ++row)
    if (list.GetCell(row, 0).str() == choice || list.GetCell(row, 1).str() == choice) return row;
  return -1;
}

void PrintStations(const QIVDlgMultiList& list) { BiwplanTableOf(list).Print(std::cout, BiwplanTable::Text); }

// The refusal the command's box tells, when it ended with one.
int Refusal(BiwplanSession& session) {
  const QIVCommandOutcome& outcome = BiwplanOutcome(session, kCommand);
  if (outcome.ending == QIVCommandOutcome::Ending::Failed)
    return BiwplanFail("the insertion failed: " + outcome.failure + "; the document is unchanged");
  if (outcome.ending == QIVCommandOutcome::Ending::Running || outcome.boxes.empty()) return BiwplanExit::Ok;
  return BiwplanReport(BiwplanExit::Refused, outcome.boxes.back().text + "; the document is unchanged");
}

// The planner's steps: the grouping picked, then the parent resource
// (unless the command pre-selected the grouping's one resource); the
// stations that fit are listed; the named one is selected and OK pressed,
// or, with none named, the dialog is cancelled.
int InsertStation(const StationInsertion& request) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document, !request.choice.empty())) return BiwplanExit::Failed;
  const QIVBaseUnknown_var grouping = BiwplanFindObject(session, request.grouping);
  if (!grouping) return BiwplanExit::Failed;
  if (QIVISPPActivity_var activity = grouping;
      !activity || !activity->IsSubTypeOf(QIVSPPActivityTypes::Grouping))
    return BiwplanReport(BiwplanExit::Refused,
                         request.grouping + " is not a grouping: a standard station goes under one");
  if (!request.resource.empty()) {
    const QIVBaseUnknown_var resource = BiwplanFindObject(session, request.resource);
    if (!resource) return BiwplanExit::Failed;
    if (!QIVIProduct_var(resource)) return BiwplanFail(request.resource + " is not a product");
  }

  BiwplanSteps steps("insert-station");
  int status = steps.Add(JournalVerb::Start, {kCommand})
                   .Add(JournalVerb::Pick, {request.grouping})
                   .Play(session, false);
  if (status != BiwplanExit::Ok || (status = Refusal(session)) != BiwplanExit::Ok) return status;
  if (!StationList(session)) {
    if (request.resource.empty())
      return BiwplanReport(BiwplanExit::Usage, "insert-station: " + request.grouping +
                                                   " has not exactly one resource; name the parent resource");
    status = steps.Add(JournalVerb::Pick, {request.resource}).Play(session, false);
    if (status != BiwplanExit::Ok || (status = Refusal(session)) != BiwplanExit::Ok) return status;
  }
  const QIVDlgMultiList* list = StationList(session);
  if (!list) return BiwplanFail("the standard station insertion showed no stations");
  if (request.choice.empty()) {
    PrintStations(*list);
    return steps.Add(JournalVerb::Press, {"Cancel"}).Play(session, false);
  }
  const int row = FindRow(*list, request.choice);
  if (row < 0) {
    PrintStations(*list);
    steps.Add(JournalVerb::Press, {"Cancel"}).Play(session, false);
    return BiwplanFail("no template or station named \"" + request.choice +
                       "\" fits; the document is unchanged");
  }
  status = steps.Add(JournalVerb::Select, {"MultiListBoxId", std::to_string(row)})
               .Add(JournalVerb::Press, {"OK"})
               .Play(session, false);
  if (status != BiwplanExit::Ok || (status = Refusal(session)) != BiwplanExit::Ok) return status;
  const QIVCommandOutcome& outcome = BiwplanOutcome(session, kCommand);
  bool inserted = false;
  for (const QIVBaseUnknown_var& created : outcome.created) {
    if (QIVISPPActivity_var(created)) {
      std::cout << "inserted " << BiwplanActivityPath(session.Document(), created) << '\n';
      inserted = true;
    } else if (QIVIProduct_var(created)) {
      std::cout << "resource " << BiwplanProductPath(session.Document(), created) << '\n';
    }
  }
  if (!inserted) return BiwplanFail("the station could not be inserted; the document is unchanged");
  return request.saving.Finish(session, BiwplanExit::Ok);
}

}  // namespace

void AddStationInsertionVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "insert-station", "Insert a standard station from a template of the plant library under a grouping");
  auto request = std::make_shared<StationInsertion>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("GROUPING", request->grouping, "The grouping, e.g. process:\"Process/UnderBody Line\"")
      ->required();
  verb->add_option(
      "RESOURCE", request->resource,
      "The parent resource, a product (may be left out when the grouping has exactly one resource)");
  verb->add_option("--template", request->choice,
                   "The template (its first station that fits) or the station to insert; without it the "
                   "stations that fit are listed");
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = InsertStation(*request); });
}
