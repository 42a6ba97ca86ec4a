#include "BiwplanProductImport.h"

#include <array>
#include <map>
#include <set>
#include <vector>

#include "BiwplanCsvReader.h"
#include "QIVDocumentFormat.h"
#include "QIVIProduct.h"

namespace {

struct Row {
  int line = 0;
  std::string parent;
  std::string instance;
  std::string reference;
  std::array<double, 6> placement{};
};

const char* const kPlacementColumns[] = {"x", "y", "z", "roll", "pitch", "yaw"};

}  // namespace

int BiwplanProductImport::Import(const QIVIDocument_var& document, const std::string& path, std::string& error) {
  std::string text;
  return BiwplanCsvReader::ReadFile(path, text, error) ? ImportText(document, text, path, error) : -1;
}

int BiwplanProductImport::ImportText(const QIVIDocument_var& document, const std::string& text,
                                     const std::string& sourceName, std::string& error) {
  BiwplanCsvReader csv(text, sourceName);
  const auto fail = [&](const std::string& reason = std::string()) { return csv.GiveUp(error, reason); };
  if (!document) return fail("no document");
  std::vector<Row> rows;
  // Paths known so far (from the document and from earlier lines), and the
  // instance names already used under each father.
  std::set<std::string> knownPaths;
  std::set<std::pair<std::string, std::string>> siblings;
  if (!csv.ReadHeader({"parent", "instance", "reference", "x", "y", "z", "roll", "pitch", "yaw"},
                      {"parent", "instance", "reference"}))
    return fail();
  while (csv.Next()) {
    Row row;
    row.line = csv.Line();
    row.parent = csv.Field("parent");
    row.instance = csv.Field("instance");
    row.reference = csv.Field("reference");
    if (row.instance.empty()) return fail("empty instance name");
    if (row.instance.find('/') != std::string::npos) return fail("instance name \"" + row.instance + "\" holds a /");
    const int depth = BiwplanCsvReader::SplitPath(row.parent).Size() + (row.parent.empty() ? 0 : 1);
    if (depth > QIVDocumentFormat::MaxDepth)
      return fail(QIVUnicodeString::Format("\"%s\" would lie %d levels deep; a document holds at most %d",
                                           row.instance.c_str(), depth, QIVDocumentFormat::MaxDepth)
                      .str());
    for (int i = 0; i < 6; ++i)
      if (!csv.Number(kPlacementColumns[i], row.placement[i])) return fail();
    if (!row.parent.empty() && !knownPaths.count(row.parent)) {
      QIVBaseUnknown_var existing;
      if (FAILED(document->FindProductByPath(BiwplanCsvReader::SplitPath(row.parent), existing)) || !existing)
        return fail("unknown parent \"" + row.parent + "\"");
      knownPaths.insert(row.parent);
    }
    const std::string path = row.parent.empty() ? row.instance : row.parent + "/" + row.instance;
    QIVBaseUnknown_var existing;
    if (!siblings.emplace(row.parent, row.instance).second ||
        (SUCCEEDED(document->FindProductByPath(BiwplanCsvReader::SplitPath(path), existing)) && existing))
      return fail("\"" + path + "\" is already in the product tree");
    knownPaths.insert(path);
    rows.push_back(std::move(row));
  }
  if (csv.Failed()) return fail();

  std::map<std::string, QIVBaseUnknown_var> built;
  for (const Row& row : rows) {
    QIVBaseUnknown_var father;
    if (!row.parent.empty()) {
      auto found = built.find(row.parent);
      if (found != built.end()) father = found->second;
      else document->FindProductByPath(BiwplanCsvReader::SplitPath(row.parent), father);
    }
    QIVBaseUnknown_var product;
    if (FAILED(document->CreateProduct(father, row.instance, row.reference, product)) || !product) {
      error = sourceName + ":" + std::to_string(row.line) + ": the product \"" + row.instance + "\" could not be created";
      return -1;
    }
    const auto& p = row.placement;
    if (QIVIProduct_var placed = product)
      placed->SetPosition(QIVMathTransformation::FromYPR(p[0], p[1], p[2], p[3], p[4], p[5]));
    built[row.parent.empty() ? row.instance : row.parent + "/" + row.instance] = product;
  }
  return static_cast<int>(rows.size());
}
