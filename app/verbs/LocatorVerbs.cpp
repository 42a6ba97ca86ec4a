#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BiwplanCli.h"
#include "BiwplanReports.h"
#include "BiwplanSaving.h"
#include "BiwplanSteps.h"
#include "BiwplanTable.h"
#include "BiwplanVerbs.h"
#include "QIVDlgEditor.h"
#include "QIVDlgMultiList.h"
#include "QIVIProduct.h"
#include "QIVISPPItemMgt.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "ZELIBIWActivityClamping.h"
#include "ZELIBIWActivityGrouping.h"
#include "ZELIBIWActivityLoading.h"
#include "ZELIBIWActivityStation.h"
#include "ZELIBIWActivityUnclamping.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIBIWTopClampingPointGroup.h"
#include "ZELIBIWTopLocatingPointGroup.h"

namespace {

struct AssignLocatorsRequest {
  std::string document;
  std::vector<std::string> activities;
  std::vector<std::string> items;
  BiwplanSaving saving;
};

struct ReportLocatorsRequest {
  std::string document;
  std::string product;
  std::string filter = "all";
  std::string format = "table";
};

// The filters of the report, in the order of its combo.
const char* const kFilters[] = {"all", "assigned", "unassigned", "multi"};

// The report's JSON form: the list's columns are No., locator, description,
// product and the assignments.
const BiwplanAccountabilityJson kJson{"locators", "locators", {{"name", 1}, {"description", 2}, {"product", 3}}};

bool TakesLocators(const QIVBaseUnknown_var& activity) {
  return ZELIBIWActivityStation_var(activity) || ZELIBIWActivityGrouping_var(activity) ||
         ZELIBIWActivityLoading_var(activity) || ZELIBIWActivityClamping_var(activity) ||
         ZELIBIWActivityUnclamping_var(activity);
}

bool IsAssignable(const QIVBaseUnknown_var& item) {
  return QIVITPSDatumSimple_var(item) || QIVITPSDatumTarget_var(item) || ZELIBIWLocatingPoint_var(item) ||
         ZELIBIWClampingPoint_var(item) || ZELIBIWTopLocatingPointGroup_var(item) ||
         ZELIBIWTopClampingPointGroup_var(item) || QIVIProduct_var(item);
}

int AssignedItemCount(const std::vector<QIVBaseUnknown_var>& activities) {
  int count = 0;
  for (const QIVBaseUnknown_var& activity : activities)
    if (QIVISPPItemMgt_var items = activity) count += items->GetItems("Item", QIVSPPItemAssigned).Size();
  return count;
}

int AssignLocators(const AssignLocatorsRequest& request) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document)) return BiwplanExit::Failed;
  std::vector<QIVBaseUnknown_var> activities;
  for (const std::string& reference : request.activities) {
    const QIVBaseUnknown_var activity = BiwplanFindObject(session, reference);
    if (!activity) return BiwplanExit::Failed;
    if (!TakesLocators(activity))
      return BiwplanFail(reference + " is not a station, grouping, loading, clamping or unclamping activity");
    activities.push_back(activity);
  }
  for (const std::string& reference : request.items) {
    const QIVBaseUnknown_var item = BiwplanFindObject(session, reference);
    if (!item) return BiwplanExit::Failed;
    if (!IsAssignable(item))
      return BiwplanFail(reference + " is not a datum, datum target, locator, top locator group or product");
  }

  const int before = AssignedItemCount(activities);
  BiwplanSteps steps("assign-locators");
  steps.Add(JournalVerb::Start, {"ZELVekBIWAssignDatumAndTargetCmd"})
      .Add(JournalVerb::Pick, request.items)
      .Add(JournalVerb::Pick, request.activities)
      .Add(JournalVerb::Press, {"OK"});
  if (const int played = steps.Play(session, false); played != BiwplanExit::Ok) return played;
  if (const QIVCommandOutcome& outcome = BiwplanOutcome(session, "ZELVekBIWAssignDatumAndTargetCmd");
      outcome.ending == QIVCommandOutcome::Ending::Failed)
    return BiwplanFail("the assignment failed: " + outcome.failure + "; nothing was assigned");
  if (session.Dispatcher().FindWidget("listLocators")) {
    // Still collecting: the products named hold no locator.
    steps.Add(JournalVerb::Press, {"Cancel"}).Play(session, false);
    return BiwplanReport(BiwplanExit::NothingToDo,
                         "the items name no datum, datum target or locator; nothing was assigned");
  }
  if (const auto* failures =
          dynamic_cast<const QIVDlgMultiList*>(session.Dispatcher().FindWidget("pMultiListAssignFeedback"))) {
    BiwplanTableOf(*failures).Print(std::cout, BiwplanTable::Text);
    if (const int closed =
            steps.Add(JournalVerb::Press, {"ZELVekBIWLocatorsAssignFailureDlg/OK"}).Play(session, false);
        closed != BiwplanExit::Ok)
      return closed;
  }
  const int assigned = AssignedItemCount(activities) - before;
  std::cout << "assigned " << assigned << " item(s)\n";
  if (assigned == 0) return BiwplanExit::NothingToDo;
  return request.saving.Finish(session, BiwplanExit::Ok);
}

int ReportLocators(const ReportLocatorsRequest& request) {
  BiwplanSession session;
  if (!BiwplanOpen(session, request.document)) return BiwplanExit::Failed;
  int filter = 0;
  while (request.filter != kFilters[filter]) ++filter;
  BiwplanSteps steps("report locators");
  steps.Add(JournalVerb::Start, {"ZELLocatorAccountabilityCommand"});
  if (!request.product.empty()) {
    const std::string reference = BiwplanReference(request.product, JournalObjectRef::Product);
    if (!BiwplanFindObject(session, reference)) return BiwplanExit::Failed;
    steps.Add(JournalVerb::Pick, {reference});
  }
  steps.Add(JournalVerb::Choose, {"ComboFilterOptionsID", std::to_string(filter)});
  if (const int played = steps.Play(session, false); played != BiwplanExit::Ok) return played;
  const auto* list = dynamic_cast<const QIVDlgMultiList*>(session.Dispatcher().FindWidget("MultiListID"));
  if (!list) return BiwplanFail("the locator report showed no table");
  BiwplanTable::Format format = BiwplanTable::Text;
  BiwplanTable::ParseFormat(request.format, format);
  const auto* shown =
      dynamic_cast<const QIVDlgEditor*>(session.Dispatcher().FindWidget("EditorAssignedLocatorCountID"));
  const auto* considered = dynamic_cast<const QIVDlgEditor*>(session.Dispatcher().FindWidget("EditorLocatorCountID"));
  if (format == BiwplanTable::Json)
    BiwplanPrintAccountability(std::cout, kJson, request.filter, request.product,
                               considered ? considered->GetText().str() : std::string(), *list);
  else
    BiwplanTableOf(*list).Print(std::cout, format);
  if (format == BiwplanTable::Text) {
    const QIVDialog* heading = session.Dispatcher().FindWidget("LabelAssignedLocatorCountID");
    if (shown && considered && heading)
      std::cout << heading->GetTitle().str() << ": " << shown->GetText().str() << " of "
                << considered->GetText().str() << '\n';
  }
  return steps.Add(JournalVerb::Press, {"Cancel"}).Play(session, false);
}

}  // namespace

void AddLocatorVerbs(CLI::App& app, int& status) {
  {
    auto* verb = app.add_subcommand(
        "assign-locators",
        "Assign datums, datum targets and locators to activities, and list what was refused");
    auto request = std::make_shared<AssignLocatorsRequest>();
    verb->add_option("DOC", request->document, "Document file")->required();
    verb->add_option(
            "ACTIVITY", request->activities,
            "Receiving activities, e.g. \"process:Process/UnderBody Line/Station 10 Front Floor/Load parts\"")
        ->required();
    verb->add_option(
            "--item", request->items,
            "What to assign: feature:NAME (datum, target, locator or top locator group) or product:PATH "
            "(its locators)")
        ->required()
        ->expected(1, -1);
    request->saving.AddOptions(*verb);
    verb->callback([&status, request] { status = AssignLocators(*request); });
  }
  {
    auto* verb = BiwplanReportVerb(app).add_subcommand(
        "locators", "For each locating and clamping point, the activities it is assigned to");
    auto request = std::make_shared<ReportLocatorsRequest>();
    verb->add_option("DOC", request->document, "Document file")->required();
    verb->add_option("--product", request->product, "Report on this product (path of instance names) only");
    verb->add_option("--filter", request->filter, "all, assigned, unassigned or multi (assigned to several)")
        ->check(CLI::IsMember({"all", "assigned", "unassigned", "multi"}));
    verb->add_option("--format", request->format, "table, csv or json")
        ->check(CLI::IsMember({"table", "csv", "json"}));
    verb->callback([&status, request] { status = ReportLocators(*request); });
  }
}
