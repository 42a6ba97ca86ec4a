#include "BiwplanProductImport.h"

#include <array>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <vector>

#include "QIVFile.h"
#include "QIVIProduct.h"

namespace {

struct Row {
  int line = 0;
  std::string parent;
  std::string instance;
  std::string reference;
  std::array<double, 6> placement{};
};

// Splits one CSV line into fields; double quotes enclose fields holding
// commas, and "" inside them is one quote. Nothing when a quote is left open.
std::optional<std::vector<std::string>> SplitCsv(const std::string& line) {
  std::vector<std::string> fields(1);
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
  if (quoted) return std::nullopt;
  return fields;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool ParseNumber(const std::string& text, double& value) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) {
    value = 0.0;
    return true;
  }
  char* end = nullptr;
  value = std::strtod(trimmed.c_str(), &end);
  return end && *end == '\0';
}

QIVListValQIVUnicodeString SplitPath(const std::string& path) {
  QIVListValQIVUnicodeString names;
  std::string name;
  std::istringstream in(path);
  while (std::getline(in, name, '/')) names.Append(QIVUnicodeString(name));
  return names;
}

const char* const kPlacementColumns[] = {"x", "y", "z", "roll", "pitch", "yaw"};

}  // namespace

int BiwplanProductImport::Import(const QIVIDocument_var& document, const std::string& path, std::string& error) {
  std::string text;
  QIVUnicodeString readError;
  if (FAILED(QIVReadWholeFile(path, text, readError))) {
    error = readError.str();
    return -1;
  }
  return ImportText(document, text, path, error);
}

int BiwplanProductImport::ImportText(const QIVIDocument_var& document, const std::string& text,
                                     const std::string& sourceName, std::string& error) {
  auto fail = [&](int line, const std::string& reason) {
    error = sourceName + ":" + std::to_string(line) + ": " + reason;
    return -1;
  };
  if (!document) return fail(0, "no document");

  std::istringstream in(text);
  std::string rawLine;
  int lineNumber = 0;
  std::map<std::string, int> columnOf;
  std::vector<Row> rows;
  // Paths known so far (from the document and from earlier lines), and the
  // instance names already used under each father.
  std::set<std::string> knownPaths;
  std::set<std::pair<std::string, std::string>> siblings;
  bool headerRead = false;

  while (std::getline(in, rawLine)) {
    ++lineNumber;
    if (!rawLine.empty() && rawLine.back() == '\r') rawLine.pop_back();
    if (Trim(rawLine).empty()) continue;
    std::optional<std::vector<std::string>> fields = SplitCsv(rawLine);
    if (!fields) return fail(lineNumber, "unclosed double quote");
    if (!headerRead) {
      for (std::size_t i = 0; i < fields->size(); ++i) {
        const std::string name = Trim((*fields)[i]);
        bool known = name == "parent" || name == "instance" || name == "reference";
        for (const char* column : kPlacementColumns) known = known || name == column;
        if (!known) return fail(lineNumber, "unknown column \"" + name + "\"");
        if (!columnOf.emplace(name, static_cast<int>(i)).second)
          return fail(lineNumber, "column \"" + name + "\" appears twice");
      }
      for (const char* required : {"parent", "instance", "reference"})
        if (!columnOf.count(required)) return fail(lineNumber, std::string("missing column \"") + required + "\"");
      headerRead = true;
      continue;
    }
    if (fields->size() != columnOf.size())
      return fail(lineNumber, "expected " + std::to_string(columnOf.size()) + " fields, found " +
                                  std::to_string(fields->size()));
    Row row;
    row.line = lineNumber;
    row.parent = Trim((*fields)[columnOf["parent"]]);
    row.instance = Trim((*fields)[columnOf["instance"]]);
    row.reference = Trim((*fields)[columnOf["reference"]]);
    if (row.instance.empty()) return fail(lineNumber, "empty instance name");
    if (row.instance.find('/') != std::string::npos)
      return fail(lineNumber, "instance name \"" + row.instance + "\" holds a /");
    for (int i = 0; i < 6; ++i) {
      auto column = columnOf.find(kPlacementColumns[i]);
      if (column == columnOf.end()) continue;
      if (!ParseNumber((*fields)[column->second], row.placement[i]))
        return fail(lineNumber, std::string("bad number \"") + Trim((*fields)[column->second]) + "\" in column " +
                                    kPlacementColumns[i]);
    }
    if (!row.parent.empty() && !knownPaths.count(row.parent)) {
      QIVBaseUnknown_var existing;
      if (FAILED(document->FindProductByPath(SplitPath(row.parent), existing)) || !existing)
        return fail(lineNumber, "unknown parent \"" + row.parent + "\"");
      knownPaths.insert(row.parent);
    }
    const std::string path = row.parent.empty() ? row.instance : row.parent + "/" + row.instance;
    QIVBaseUnknown_var existing;
    if (!siblings.emplace(row.parent, row.instance).second ||
        (SUCCEEDED(document->FindProductByPath(SplitPath(path), existing)) && existing))
      return fail(lineNumber, "\"" + path + "\" is already in the product tree");
    knownPaths.insert(path);
    rows.push_back(std::move(row));
  }
  if (!headerRead) return fail(lineNumber, "no header line");

  std::map<std::string, QIVBaseUnknown_var> built;
  for (const Row& row : rows) {
    QIVBaseUnknown_var father;
    if (!row.parent.empty()) {
      auto found = built.find(row.parent);
      if (found != built.end()) father = found->second;
      else document->FindProductByPath(SplitPath(row.parent), father);
    }
    QIVBaseUnknown_var product;
    if (FAILED(document->CreateProduct(father, row.instance, row.reference, product)) || !product)
      return fail(row.line, "the product \"" + row.instance + "\" could not be created");
    const auto& p = row.placement;
    if (QIVIProduct_var placed = product)
      placed->SetPosition(QIVMathTransformation::FromYPR(p[0], p[1], p[2], p[3], p[4], p[5]));
    built[row.parent.empty() ? row.instance : row.parent + "/" + row.instance] = product;
  }
  return static_cast<int>(rows.size());
}
