#include <charconv>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
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

// A count as the dialog writes it ("%d"); 0 for any other text.
int Number(const std::string& text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Columns of the report's list.
enum Column { Position, Name, Type, Activities };

// The report for a script, as docs/listing.schema.json describes it: each
// row with its position as a number and its assignments as a list. The
// dialog ends each assignment's text with ";", so a text that does not is
// the line of a fastener assigned nowhere ("None").
void PrintJson(std::ostream& out, const std::string& filter, const std::string& product,
               const QIVDlgMultiList& list, const std::string& examined) {
  nlohmann::ordered_json items = nlohmann::ordered_json::array();
  for (int row = 0; row < list.GetRowCount(); ++row) {
    const std::string text = list.GetCell(row, Activities).str();
    nlohmann::ordered_json assignments = nlohmann::ordered_json::array();
    if (!text.empty() && text.back() == ';') {
      for (std::size_t from = 0, to; from < text.size(); from = to + 1) {
        to = text.find(';', from);
        if (to > from) assignments.push_back(text.substr(from, to - from));
      }
    }
    items.push_back({{"position", Number(list.GetCell(row, Position).str())},
                     {"name", list.GetCell(row, Name).str()},
                     {"type", list.GetCell(row, Type).str()},
                     {"assignedTo", std::move(assignments)}});
  }
  const nlohmann::ordered_json report = {{"version", 1},
                                         {"report", "welds"},
                                         {"filter", filter},
                                         {"product", product.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(product)},
                                         {"fasteners", Number(examined)},
                                         {"items", std::move(items)}};
  out << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

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
    PrintJson(std::cout, request.filter, request.product, *list, examined->GetText().str());
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
