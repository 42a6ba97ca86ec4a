#pragma once

#include <ostream>
#include <string>
#include <vector>

// A report of rows under named columns, printed for a person (aligned
// columns) or for a program (RFC 4180 CSV: a header line, fields quoted
// when they hold a comma, quote or line break, lines ending in CR LF; or a
// JSON array of objects keyed by column name).
class BiwplanTable {
 public:
  enum Format { Text, Csv, Json };

  explicit BiwplanTable(std::vector<std::string> columns) : _columns(std::move(columns)) {}

  void AddRow(std::vector<std::string> cells);
  int RowCount() const { return static_cast<int>(_rows.size()); }

  void Print(std::ostream& out, Format format) const;

  // "table", "csv" or "json"; false for any other word.
  static bool ParseFormat(const std::string& word, Format& format);

 private:
  void PrintText(std::ostream& out) const;
  void PrintCsv(std::ostream& out) const;
  void PrintJson(std::ostream& out) const;

  std::vector<std::string> _columns;
  std::vector<std::vector<std::string>> _rows;
};
