#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "BiwplanCli.h"
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
  bool save = false;
};

struct ReportLocatorsRequest {
  std::string document;
  std::string product;
  std::string filter = "all";
  std::string format = "table";
};

// The filters of the report, in the order of its combo.
const char* const kFilters[] = {"all", "assigned", "unassigned", "multi"};

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

// The table of a multi-column list under its column titles.
BiwplanTable TableOf(const QIVDlgMultiList& list) {
  std::vector<std::string> titles;
  for (int column = 0; column < list.GetColumnCount(); ++column)
    titles.push_back(list.GetColumn(column).title.str());
  BiwplanTable table(titles);
  for (int row = 0; row < list.GetRowCount(); ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < list.GetColumnCount(); ++column)
      cells.push_back(list.GetCell(row, column).str());
    table.AddRow(std::move(cells));
  }
  return table;
}

std::string PickLine(const std::vector<std::string>& references) {
  std::string line = "pick";
  for (const std::string& reference : references) line += " " + BiwplanJournalWord(reference);
  return line + "\n";
}

int AssignLocators(const AssignLocatorsRequest& request) {
  BiwplanSession session;
  if (!BiwplanOpen(session, request.document)) return BiwplanExit::Failed;
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
  const std::string journal = "# biwplan assign-locators\nstart ZELVekBIWAssignDatumAndTargetCmd\n" +
                              PickLine(request.items) + PickLine(request.activities) + "press OK\n";
  if (const int played = BiwplanPlayJournal(session, journal, "assign-locators", false);
      played != BiwplanExit::Ok)
    return played;
  if (const QIVCommandOutcome& outcome = BiwplanOutcome(session, "ZELVekBIWAssignDatumAndTargetCmd");
      outcome.ending == QIVCommandOutcome::Ending::Failed)
    return BiwplanFail("the assignment failed: " + outcome.failure + "; nothing was assigned");
  if (session.Dispatcher().FindWidget("listLocators")) {
    // Still collecting: the products named hold no locator.
    BiwplanPlayJournal(session, "press Cancel\n", "assign-locators", false);
    std::cerr << "biwplan: the items name no datum, datum target or locator; nothing was assigned\n";
    return BiwplanExit::NothingToDo;
  }
  if (const auto* failures =
          dynamic_cast<const QIVDlgMultiList*>(session.Dispatcher().FindWidget("pMultiListAssignFeedback"))) {
    TableOf(*failures).Print(std::cout, BiwplanTable::Text);
    if (const int closed = BiwplanPlayJournal(session, "press ZELVekBIWLocatorsAssignFailureDlg/OK\n",
                                              "assign-locators", false);
        closed != BiwplanExit::Ok)
      return closed;
  }
  const int assigned = AssignedItemCount(activities) - before;
  std::cout << "assigned " << assigned << " item(s)\n";
  if (assigned == 0) return BiwplanExit::NothingToDo;
  if (request.save && !BiwplanSave(session)) return BiwplanExit::Failed;
  return BiwplanExit::Ok;
}

int ReportLocators(const ReportLocatorsRequest& request) {
  BiwplanSession session;
  if (!BiwplanOpen(session, request.document)) return BiwplanExit::Failed;
  int filter = 0;
  while (request.filter != kFilters[filter]) ++filter;
  std::string journal = "# biwplan report locators\nstart ZELLocatorAccountabilityCommand\n";
  if (!request.product.empty()) {
    const std::string reference =
        request.product.rfind("product:", 0) == 0 ? request.product : "product:" + request.product;
    if (!BiwplanFindObject(session, reference)) return BiwplanExit::Failed;
    journal += PickLine({reference});
  }
  journal += "choose ComboFilterOptionsID " + std::to_string(filter) + "\n";
  if (const int played = BiwplanPlayJournal(session, journal, "report locators", false);
      played != BiwplanExit::Ok)
    return played;
  const auto* list = dynamic_cast<const QIVDlgMultiList*>(session.Dispatcher().FindWidget("MultiListID"));
  if (!list) return BiwplanFail("the locator report showed no table");
  BiwplanTable::Format format = BiwplanTable::Text;
  BiwplanTable::ParseFormat(request.format, format);
  TableOf(*list).Print(std::cout, format);
  if (format == BiwplanTable::Text) {
    const auto* shown =
        dynamic_cast<const QIVDlgEditor*>(session.Dispatcher().FindWidget("EditorAssignedLocatorCountID"));
    const auto* considered =
        dynamic_cast<const QIVDlgEditor*>(session.Dispatcher().FindWidget("EditorLocatorCountID"));
    const QIVDialog* heading = session.Dispatcher().FindWidget("LabelAssignedLocatorCountID");
    if (shown && considered && heading)
      std::cout << heading->GetTitle().str() << ": " << shown->GetText().str() << " of "
                << considered->GetText().str() << '\n';
  }
  return BiwplanPlayJournal(session, "press Cancel\n", "report locators", false);
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
    verb->add_flag("--save", request->save, "Save the document when something was assigned");
    verb->callback([&status, request] { status = AssignLocators(*request); });
  }
  {
    auto* report = app.add_subcommand("report", "Print an accountability report");
    report->require_subcommand(1);
    auto* verb = report->add_subcommand(
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
