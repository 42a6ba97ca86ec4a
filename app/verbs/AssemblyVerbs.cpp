#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanProgress.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanVerbs.h"
#include "QIVIProduct.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "QIVISPPProductIO.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWItemInfo.h"
#include "ZELIMfgAssembly.h"

namespace {

constexpr const char* kCommand = "ZELBIWUpdateManufAssemblyCmd";

struct AssemblyUpdate {
  std::string document;
  std::string activity;
  BiwplanSaving saving;
};

// A product by its instance name, an assembly by its label in quotes.
std::string ItemName(const QIVBaseUnknown_var& item) {
  if (ZELIMfgAssembly_var assembly(item); assembly) return "\"" + assembly->GetLabel().str() + "\"";
  if (QIVIProduct_var product(item); product) return product->GetPrdInstanceName().str();
  return "?";
}

std::string Names(const QIVListValQIVBaseUnknown_var& items) {
  std::string names;
  for (const QIVBaseUnknown_var& item : items) names += (names.empty() ? "" : ", ") + ItemName(item);
  return names.empty() ? "nothing" : names;
}

// Each BIW activity with an output assembly or products handed on to it:
//   PATH
//     output "LABEL": PART, ..., "SUB-ASSEMBLY"
//     handed on: "LABEL", ...
void PrintAssemblies(const QIVIDocument_var& document) {
  QIVListValQIVBaseUnknown_var activities;
  ZELFastenerServices::GetListOfAllActivities(activities, QIVBaseUnknown_var(document));
  for (const QIVBaseUnknown_var& activity : activities) {
    ZELIBIWItemInfo_var info(activity);
    if (!info) continue;
    QIVListValQIVBaseUnknown_var outputs;
    info->GetProductIOs(outputs, QIVSPPProductOutput);
    const QIVListValQIVBaseUnknown_var handedOn =
        QIVISPPItemMgt_var(activity)->GetItems("Item", QIVSPPItemFromFlow);
    std::string lines;
    for (const QIVBaseUnknown_var& output : outputs) {
      QIVBaseUnknown_var product;
      ZELIMfgAssembly_var assembly;
      if (FAILED(QIVISPPProductIO_var(output)->GetProduct(product)) ||
          !(assembly = ZELIMfgAssembly_var(product)))
        continue;
      QIVListValQIVBaseUnknown_var parts, subAssemblies;
      assembly->GetParts(parts);
      assembly->GetSubAssemblies(subAssemblies);
      parts.Append(subAssemblies);
      lines += "  output " + ItemName(product) + ": " + Names(parts) + "\n";
    }
    if (!handedOn.IsEmpty()) lines += "  handed on: " + Names(handedOn) + "\n";
    if (!lines.empty()) std::cout << BiwplanActivityPath(document, activity) << '\n' << lines;
  }
}

// The update's warning box lists each warning as its heading and body,
// one line each, the warnings parted by a blank line.
void PrintWarnings(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    std::cout << "warning: " << lines[i] << '\n';
    if (i + 1 < lines.size()) std::cout << "  " << lines[i + 1] << '\n';
  }
}

std::vector<std::string> WarningLines(const QIVCommandOutcome& outcome) {
  std::vector<std::string> lines;
  for (const QIVBoxShown& box : outcome.boxes) {
    std::istringstream text(box.text);
    for (std::string line; std::getline(text, line);)
      if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

// The planner's steps on the panel: update the whole process, or choose
// the selected-activity mode, pick the activity and update it; then OK.
int UpdateAssemblies(const AssemblyUpdate& request) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document)) return BiwplanExit::Failed;
  BiwplanProgress progress("updating assemblies");
  progress.Watch(session.Session());
  BiwplanSteps steps("update-assemblies");
  steps.Add(JournalVerb::Start, {kCommand});
  if (!request.activity.empty()) {
    const std::string reference = BiwplanReference(request.activity, JournalObjectRef::Process);
    const QIVBaseUnknown_var activity = BiwplanFindObject(session, reference);
    if (!activity) return BiwplanExit::Failed;
    if (!ZELIBIWItemInfo_var(activity))
      return BiwplanReport(BiwplanExit::Refused,
                           request.activity + " is not a BIW activity; the document is unchanged");
    steps.Add(JournalVerb::Check, {"RBSelectedActivity", "on"}).Add(JournalVerb::Pick, {reference});
  }
  int status = steps.Add(JournalVerb::Press, {"ButtonUpdate"}).Play(session);
  if (status != BiwplanExit::Ok) return status;
  const QIVCommandOutcome& outcome = BiwplanOutcome(session, kCommand);
  if (outcome.ending != QIVCommandOutcome::Ending::Running)
    return BiwplanFail("the manufactured assembly update did not run");
  const std::vector<std::string> warnings = WarningLines(outcome);
  status = steps.Add(JournalVerb::Press, {"OK"}).Play(session);
  if (status != BiwplanExit::Ok) return status;
  if (outcome.ending != QIVCommandOutcome::Ending::Ended)
    return BiwplanFail("the manufactured assembly update did not end on OK");

  PrintAssemblies(session.Document());
  PrintWarnings(warnings);
  // A flow problem leaves part of the process as it was: nothing is saved.
  if (!warnings.empty()) return BiwplanExit::Refused;
  return request.saving.Finish(session, BiwplanExit::Ok);
}

}  // namespace

void AddAssemblyVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "update-assemblies",
      "Recompute along the control flow the manufactured assembly each BIW activity outputs and hand it on "
      "to the next activity, for the whole process or one activity");
  auto request = std::make_shared<AssemblyUpdate>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("--activity", request->activity,
                   "Update only this BIW activity, e.g. \"Process/UnderBody Line/Station 10 Front Floor\"");
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = UpdateAssemblies(*request); });
}
