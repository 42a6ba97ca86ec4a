#include <iostream>
#include <memory>
#include <string>

#include "BiwplanCli.h"
#include "BiwplanReports.h"
#include "BiwplanSteps.h"
#include "BiwplanTable.h"
#include "QIVDlgEditor.h"
#include "QIVDlgMultiList.h"

namespace {

struct WeldReportRequest {
  std::string document;
  std::string product;
  std::string filter = "all";
  std::string format = "table";
};

// The filters of the report, in the order of its option combo.
const char* const kFilters[] = {"all", "assigned", "unassigned", "multi"};

// The report's JSON form: the list's columns are No., name, type and the
// assignments.
const BiwplanAccountabilityJson kJson{"welds", "fasteners", {{"name", 1}, {"type", 2}}};

// The weld report's dialog: the product's radio button checked and the
// product picked when one is given (nothing to report on ends it there),
// the filter chosen, the table read, the dialog closed.
int ReportWelds(const WeldReportRequest& request) {
  BiwplanSession session;
  if (!BiwplanOpen(session, request.document)) return BiwplanExit::Failed;
  int filter = 0;
  while (request.filter != kFilters[filter]) ++filter;
  BiwplanSteps steps("report welds");
  steps.Add(JournalVerb::Start, {"ZELVekBIWWeldAccountabilityCmd"});
  if (!request.product.empty()) {
    const std::string reference = BiwplanReference(request.product, JournalObjectRef::Product);
    if (!BiwplanFindObject(session, reference)) return BiwplanExit::Failed;
    steps.Add(JournalVerb::Check, {"rbSelectedProdId", "on"}).Add(JournalVerb::Pick, {reference});
  }
  if (const int played = steps.Play(session, false); played != BiwplanExit::Ok) return played;
  QIVDispatcher& dispatcher = session.Dispatcher();
  const auto* examined = dynamic_cast<const QIVDlgEditor*>(dispatcher.FindWidget("EdtWeldsAvblId"));
  if (!examined) return BiwplanFail("the weld report showed no table");
  // The empty report (no fastener to report on) shuts its controls.
  if (examined->GetText() == "0") {
    steps.Add(JournalVerb::Press, {"Cancel"}).Play(session, false);
    return BiwplanReport(BiwplanExit::NothingToDo, "no fastener to report on");
  }
  steps.Add(JournalVerb::Choose, {"OptionComboId", std::to_string(filter)});
  if (const int played = steps.Play(session, false); played != BiwplanExit::Ok) return played;
  const auto* list = dynamic_cast<const QIVDlgMultiList*>(dispatcher.FindWidget("WeldActMultiListId"));
  const auto* kept = dynamic_cast<const QIVDlgEditor*>(dispatcher.FindWidget("EdtWeldsAssignedId"));
  if (!list || !kept) return BiwplanFail("the weld report showed no table");
  BiwplanTable::Format format = BiwplanTable::Text;
  BiwplanTable::ParseFormat(request.format, format);
  if (format == BiwplanTable::Json)
    BiwplanPrintAccountability(std::cout, kJson, request.filter, request.product, examined->GetText().str(), *list);
  else
    BiwplanTableOf(*list).Print(std::cout, format);
  if (format == BiwplanTable::Text) {
    const QIVDialog* heading =
        dispatcher.FindWidget(filter == 0 ? "lblNoOfWeldsId" : "lblWeldsFilterTitleId");
    std::cout << (heading ? heading->GetTitle().str() : std::string("Fasteners")) << ": "
              << (filter == 0 ? examined : kept)->GetText().str();
    if (filter != 0) std::cout << " of " << examined->GetText().str();
    std::cout << '\n';
  }
  return steps.Add(JournalVerb::Press, {"Cancel"}).Play(session, false);
}

}  // namespace

void AddWeldReportVerbs(CLI::App& app, int& status) {
  auto* verb = BiwplanReportVerb(app).add_subcommand(
      "welds", "For each fastener, the activities it is assigned to in this and the plant's other documents");
  auto request = std::make_shared<WeldReportRequest>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("--product", request->product, "Report on this product (path of instance names, or a reference) only");
  verb->add_option("--filter", request->filter,
                   "all, assigned, unassigned or multi (assigned more than once)")
      ->check(CLI::IsMember({"all", "assigned", "unassigned", "multi"}));
  verb->add_option("--format", request->format, "table, csv or json")
      ->check(CLI::IsMember({"table", "csv", "json"}));
  verb->callback([&status, request] { status = ReportWelds(*request); });
}
