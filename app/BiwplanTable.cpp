#include "BiwplanTable.h"

#include <algorithm>

#include <nlohmann/json.hpp>

namespace {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// Width on screen of UTF-8 text: one column per character.
std::size_t DisplayWidth(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

void BiwplanTable::AddRow(std::vector<std::string> cells) {
  cells.resize(_columns.size());
  _rows.push_back(std::move(cells));
}

bool BiwplanTable::ParseFormat(const std::string& word, Format& format) {
  if (word == "table") format = Text;
  else if (word == "csv") format = Csv;
  else if (word == "json") format = Json;
  else return false;
  return true;
}

void BiwplanTable::Print(std::ostream& out, Format format) const {
  switch (format) {
    case Text:
      PrintText(out);
      break;
    case Csv:
      PrintCsv(out);
      break;
    case Json:
      PrintJson(out);
      break;
  }
}

void BiwplanTable::PrintText(std::ostream& out) const {
  std::vector<std::size_t> widths;
  for (const std::string& column : _columns) widths.push_back(DisplayWidth(column));
  for (const auto& row : _rows)
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], DisplayWidth(row[i]));
  auto printLine = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      line += cells[i];
      if (i + 1 < cells.size()) line += std::string(widths[i] - DisplayWidth(cells[i]) + 2, ' ');
    }
    out << line << '\n';
  };
  printLine(_columns);
  std::vector<std::string> rule;
  for (std::size_t width : widths) rule.push_back(std::string(width, '-'));
  printLine(rule);
  for (const auto& row : _rows) printLine(row);
}

void BiwplanTable::PrintCsv(std::ostream& out) const {
  auto printLine = [&](const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) out << (i ? "," : "") << CsvField(cells[i]);
    out << "\r\n";
  };
  printLine(_columns);
  for (const auto& row : _rows) printLine(row);
}

void BiwplanTable::PrintJson(std::ostream& out) const {
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  for (const auto& row : _rows) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < _columns.size(); ++i) object[_columns[i]] = row[i];
    rows.push_back(std::move(object));
  }
  out << rows.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}
