#pragma once

#include <map>
#include <string>
#include <vector>

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// Reads a CSV text whose first non-blank line names the columns, one record
// at a time; a leading UTF-8 byte-order mark is skipped. Double quotes enclose fields holding commas ("" inside them is
// one quote); blank lines are skipped; fields are read without their
// surrounding blanks. Every fault is kept as "FILE:LINE: reason".
class BiwplanCsvReader {
 public:
  BiwplanCsvReader(const std::string& text, std::string sourceName);

  // Reads the header: each column must be one of `known` and appear once,
  // and every `required` column must be there. False with the fault set.
  bool ReadHeader(const std::vector<std::string>& known, const std::vector<std::string>& required);
  // Moves to the next record, which must have as many fields as the header.
  // False at the end of the text, or with the fault set.
  bool Next();

  int Line() const { return _line; }
  bool HasColumn(const std::string& column) const { return _columnOf.count(column) != 0; }
  // The field of the record in that column; empty when there is no such
  // column.
  std::string Field(const std::string& column) const;
  // The field as a number; an empty field is `empty`. False with the fault
  // set when the field is not a finite decimal number.
  bool Number(const std::string& column, double& value, double empty = 0.0);

  // Sets the fault "FILE:LINE: reason" for the current line, unless one is
  // set already.
  bool Fail(const std::string& reason);
  // How an import gives up: the fault (set from `reason` when given) goes
  // to `error`; answers -1.
  int GiveUp(std::string& error, const std::string& reason = std::string());
  bool Failed() const { return !_error.empty(); }
  const std::string& Error() const { return _error; }

  // Reads the whole file; false with the reason in `error`.
  static bool ReadFile(const std::string& path, std::string& text, std::string& error);
  // "UnderBody.1/FrontFloor.1" as the list of its names.
  static QIVListValQIVUnicodeString SplitPath(const std::string& path);

 private:
  bool ReadFields();

  std::vector<std::string> _lines;
  std::string _sourceName;
  std::size_t _next = 0;
  int _line = 0;
  std::map<std::string, std::size_t> _columnOf;
  std::vector<std::string> _fields;
  std::string _error;
};
