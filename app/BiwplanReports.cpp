#include "BiwplanReports.h"

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
