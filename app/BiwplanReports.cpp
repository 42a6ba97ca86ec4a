#include "BiwplanReports.h"

#include <charconv>

#include "QIVDlgMultiList.h"

CLI::App& BiwplanReportVerb(CLI::App& app) {
  for (CLI::App* verb : app.get_subcommands([](CLI::App*) { return true; }))
    if (verb->get_name() == "report") return *verb;
  CLI::App* report = app.add_subcommand("report", "Print an accountability report");
  report->require_subcommand(1);
  return *report;
}

BiwplanTable BiwplanTableOf(const QIVDlgMultiList& list) {
  std::vector<std::string> titles;
  for (int column = 0; column < list.GetColumnCount(); ++column) titles.push_back(list.GetColumn(column).title.str());
  BiwplanTable table(titles);
  for (int row = 0; row < list.GetRowCount(); ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < list.GetColumnCount(); ++column) cells.push_back(list.GetCell(row, column).str());
    table.AddRow(std::move(cells));
  }
  return table;
}

namespace {
// A count as the dialogs write it ("%d"); 0 for any other text.
int Number(const std::string& text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}
}  // namespace

void BiwplanPrintAccountability(std::ostream& out, const BiwplanAccountabilityJson& form, const std::string& filter,
                                const std::string& product, const std::string& examined,
                                const QIVDlgMultiList& list) {
  using Json = nlohmann::ordered_json;
  const int assignmentColumn = list.GetColumnCount() - 1;
  Json items = Json::array();
  for (int row = 0; row < list.GetRowCount(); ++row) {
    Json item = {{"position", Number(list.GetCell(row, 0).str())}};
    for (const auto& [key, column] : form.textColumns) item[key] = list.GetCell(row, column).str();
    const std::string text = list.GetCell(row, assignmentColumn).str();
    Json assignments = Json::array();
    if (text != "None") {
      for (std::size_t from = 0, to; from < text.size(); from = to + 1) {
        to = std::min(text.find(';', from), text.size());
        if (to > from) assignments.push_back(text.substr(from, to - from));
      }
    }
    item["assignedTo"] = std::move(assignments);
    items.push_back(std::move(item));
  }
  const Json report = {{"version", 1},
                       {"report", form.report},
                       {"filter", filter},
                       {"product", product.empty() ? Json() : Json(product)},
                       {form.countKey, Number(examined)},
                       {"items", std::move(items)}};
  out << report.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}
