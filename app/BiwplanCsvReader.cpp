#include "BiwplanCsvReader.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <string_view>

#include "QIVFile.h"

namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Nothing when a quote is left open.
bool SplitCsv(const std::string& line, std::vector<std::string>& fields) {
  fields.assign(1, std::string());
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  for (std::string& field : fields) field = Trim(field);
  return !quoted;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number as a spreadsheet writes it: a sign, digits with at most
// one point, an exponent. Hexadecimal, "inf" and "nan", which the C library
// would take, are not numbers of a bill of materials.
bool IsDecimal(std::string_view text) {
  std::size_t i = 0, digits = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (i < text.size() && text[i] == '.')
    for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    if (++i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

BiwplanCsvReader::BiwplanCsvReader(const std::string& text, std::string sourceName)
    : _sourceName(std::move(sourceName)) {
  // Spreadsheet programs start their UTF-8 files with a byte-order mark.
  std::istringstream in(text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0
                            ? text.substr(kByteOrderMark.size())
                            : text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    _lines.push_back(std::move(line));
  }
}

bool BiwplanCsvReader::ReadFields() {
  while (_next < _lines.size()) {
    const std::string& line = _lines[_next++];
    _line = static_cast<int>(_next);
    if (Trim(line).empty()) continue;
    if (!SplitCsv(line, _fields)) return Fail("unclosed double quote");
    return true;
  }
  return false;
}

bool BiwplanCsvReader::ReadHeader(const std::vector<std::string>& known,
                                  const std::vector<std::string>& required) {
  if (!ReadFields()) return Failed() ? false : Fail("no header line");
  for (std::size_t i = 0; i < _fields.size(); ++i) {
    const std::string& name = _fields[i];
    bool isKnown = false;
    for (const std::string& column : known) isKnown = isKnown || name == column;
    if (!isKnown) return Fail("unknown column \"" + name + "\"");
    if (!_columnOf.emplace(name, i).second) return Fail("column \"" + name + "\" appears twice");
  }
  for (const std::string& column : required)
    if (!HasColumn(column)) return Fail("missing column \"" + column + "\"");
  return true;
}

bool BiwplanCsvReader::Next() {
  if (Failed() || !ReadFields()) return false;
  if (_fields.size() != _columnOf.size())
    return Fail("expected " + std::to_string(_columnOf.size()) + " fields, found " +
                std::to_string(_fields.size()));
  return true;
}

std::string BiwplanCsvReader::Field(const std::string& column) const {
  const auto found = _columnOf.find(column);
  return found == _columnOf.end() || found->second >= _fields.size() ? std::string() : _fields[found->second];
}

bool BiwplanCsvReader::Number(const std::string& column, double& value, double empty) {
  const std::string text = Field(column);
  if (text.empty()) {
    value = empty;
    return true;
  }
  if (!IsDecimal(text)) return Fail("bad number \"" + text + "\" in column " + column);
  const char* begin = text.data() + (text.front() == '+' ? 1 : 0);
  const std::from_chars_result read = std::from_chars(begin, text.data() + text.size(), value);
  if (read.ec == std::errc() && std::isfinite(value)) return true;
  return Fail("number \"" + text + "\" out of range in column " + column);
}

bool BiwplanCsvReader::Fail(const std::string& reason) {
  if (_error.empty()) _error = _sourceName + ":" + std::to_string(_line) + ": " + reason;
  return false;
}

int BiwplanCsvReader::GiveUp(std::string& error, const std::string& reason) {
  if (!reason.empty()) Fail(reason);
  error = _error;
  return -1;
}

bool BiwplanCsvReader::ReadFile(const std::string& path, std::string& text, std::string& error) {
  QIVUnicodeString readError;
  if (SUCCEEDED(QIVReadWholeFile(path, text, readError))) return true;
  error = readError.str();
  return false;
}

QIVListValQIVUnicodeString BiwplanCsvReader::SplitPath(const std::string& path) {
  QIVListValQIVUnicodeString names;
  std::size_t start = 0;
  for (std::size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1)
    names.Append(QIVUnicodeString(path.substr(start, slash - start)));
  names.Append(QIVUnicodeString(path.substr(start)));
  return names;
}
