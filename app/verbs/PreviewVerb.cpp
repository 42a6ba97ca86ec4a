#include <iostream>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanTable.h"
#include "BiwplanVerbs.h"
#include "QIVDlgMultiList.h"
#include "QIVISPPActivity.h"

namespace {

struct PreviewRequest {
  std::string document;
  std::string activity;
  std::vector<std::string> products;
  std::vector<std::string> assign;
  BiwplanSaving saving;
};

// The columns of the preview's fastener list.
enum Column { Number, Name, Type, State, Description };

// The planner's steps: the products picked (one pick each, as the
// planner clicks them), then the activity.
void AddShowSteps(BiwplanSteps& steps, const PreviewRequest& request) {
  steps.Add(JournalVerb::Start, {"ZELVekPreviewWindowManagerCmd"});
  for (const std::string& product : request.products)
    steps.Add(JournalVerb::Pick, {BiwplanReference(product, JournalObjectRef::Product)});
  steps.Add(JournalVerb::Pick, {request.activity});
}

int Preview(const PreviewRequest& request) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document, !request.assign.empty())) return BiwplanExit::Failed;
  const QIVBaseUnknown_var activity = BiwplanFindObject(session, request.activity);
  if (!activity) return BiwplanExit::Failed;
  if (!QIVISPPActivity_var(activity)) return BiwplanFail(request.activity + " is not an activity");
  for (const std::string& product : request.products)
    if (!BiwplanFindNamed(session, product, JournalObjectRef::Product))
      return BiwplanExit::Failed;

  BiwplanSteps steps("preview");
  AddShowSteps(steps, request);
  if (const int shown = steps.Play(session, false); shown != BiwplanExit::Ok) return shown;
  const auto* list = dynamic_cast<const QIVDlgMultiList*>(session.Dispatcher().FindWidget("pWeldsMultiList"));
  if (!list) return BiwplanFail("the preview showed no fastener list");

  BiwplanTable table({"No.", "Fastener", "Process Type", "May assign", "Reason"});
  std::unordered_map<std::string, int> rowOf;
  std::vector<std::string> reasons;
  for (int row = 0; row < list->GetRowCount(); ++row) {
    const bool may = list->GetCell(row, State).str() == "I_AssignmentOK";
    const std::string reason = may ? std::string() : list->GetCell(row, Description).str();
    table.AddRow({list->GetCell(row, Number).str(), list->GetCell(row, Name).str(),
                  list->GetCell(row, Type).str(), may ? "may" : "may not", reason});
    rowOf.emplace(list->GetCell(row, Name).str(), row);
    reasons.push_back(may ? std::string() : reason);
  }
  table.Print(std::cout, BiwplanTable::Text);

  if (request.assign.empty()) {
    steps.Add(JournalVerb::Press, {"Close"}).Play(session, false);
    return BiwplanExit::Ok;
  }
  std::vector<std::string> skipped;
  std::vector<std::string> chosen;
  std::vector<std::string> rows{"pWeldsMultiList"};
  for (const std::string& word : request.assign) {
    // A reference names the fastener whose row it is; a plain name is
    // looked for among the rows as it stands.
    QIVUnicodeString notReference;
    std::string name = word;
    if (JournalObjectRef::Parse(word, notReference)) {
      const QIVBaseUnknown_var fastener = BiwplanFindObject(session, word);
      if (!fastener) return BiwplanExit::Failed;
      name = BiwplanFeatureName(fastener);
    }
    const auto found = rowOf.find(name);
    if (found == rowOf.end()) {
      skipped.push_back(name + ": not between the products shown");
    } else if (!reasons[static_cast<std::size_t>(found->second)].empty()) {
      skipped.push_back(name + ": " + reasons[static_cast<std::size_t>(found->second)]);
    } else {
      chosen.push_back(name);
      rows.push_back(std::to_string(found->second));
    }
  }
  if (!chosen.empty())
    steps.Add(JournalVerb::Select, std::move(rows)).Add(JournalVerb::Press, {"pAssignPushButton"});
  if (const int assigned = steps.Add(JournalVerb::Press, {"Close"}).Play(session, false);
      assigned != BiwplanExit::Ok)
    return assigned;
  for (const std::string& name : chosen) std::cout << "assigned " << name << '\n';
  for (const std::string& line : skipped) std::cout << "skipped " << line << '\n';
  if (chosen.empty()) return BiwplanExit::NothingToDo;
  return request.saving.Finish(session, BiwplanExit::Ok);
}

}  // namespace

void AddPreviewVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "preview",
      "List the fasteners joining the products shown in the preview window, and assign the chosen ones");
  auto request = std::make_shared<PreviewRequest>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("ACTIVITY", request->activity,
                   "The activity, e.g. process:\"Process/Station.1/SpotWelding.1\"")
      ->required();
  verb->add_option("PRODUCT", request->products,
                   "Products shown, e.g. UnderBody.1/FrontFloor.1/FrontFloorPanel.1")
      ->required();
  verb->add_option("--assign", request->assign, "Fasteners by name to assign to the activity")
      ->expected(1, -1);
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = Preview(*request); });
}
