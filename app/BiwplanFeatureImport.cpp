#include "BiwplanFeatureImport.h"

#include <array>
#include <set>
#include <vector>

#include "BiwplanCsvReader.h"
#include "QIVIAlias.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"

namespace {

enum class Kind { Datum, DatumTarget, LocatingPoint, ClampingPoint };

struct KindInfo {
  Kind kind;
  const char* word;
  bool isDatum;
};

constexpr KindInfo kKinds[] = {
    {Kind::Datum, "datum", true},
    {Kind::DatumTarget, "datum-target", true},
    {Kind::LocatingPoint, "locating-point", false},
    {Kind::ClampingPoint, "clamping-point", false},
};

const char* const kPositionColumns[] = {"x", "y", "z", "roll", "pitch", "yaw"};

struct Row {
  const KindInfo* kind = nullptr;
  std::string name;
  QIVBaseUnknown_var part;
  std::array<double, 6> position{};
  std::string text;
};

const KindInfo* FindKind(const std::string& word) {
  for (const KindInfo& info : kKinds)
    if (word == info.word) return &info;
  return nullptr;
}

bool Make(const QIVIDocument_var& document, const Row& row) {
  if (row.kind->isDatum) {
    QIVBaseUnknown_var datum;
    return SUCCEEDED(document->CreateDatum(row.kind->kind == Kind::DatumTarget, row.name, row.part, datum));
  }
  QIVBaseUnknown_var container;
  document->GetFeatureContainer(container);
  ZELIBIWFPPFactory_var factory(container);
  ZELIBIWFeaturePartRelations_var relations(container);
  if (!factory || !relations) return false;
  const bool clamping = row.kind->kind == Kind::ClampingPoint;
  QIVBaseUnknown_var top;
  QIVBaseUnknown_var point;
  if (FAILED(clamping ? factory->GetTopClampingPointGroup(top) : factory->GetTopLocatingPointGroup(top)) ||
      FAILED(clamping ? factory->CreateClampingPoint(top, point) : factory->CreateLocatingPoint(top, point)))
    return false;
  QIVRawColldouble position;
  for (double value : row.position) position.Append(value);
  QIVListValQIVBaseUnknown_var parts;
  parts.Append(row.part);
  QIVIAlias_var(point)->SetAlias(row.name);
  if (clamping) {
    ZELIBIWClampingPoint_var typed(point);
    typed->SetPosition(position);
    typed->SetDescription(row.text);
  } else {
    ZELIBIWLocatingPoint_var typed(point);
    typed->SetPosition(position);
    typed->SetDescription(row.text);
  }
  return SUCCEEDED(relations->SetRelatedParts(point, parts, true));
}

}  // namespace

int BiwplanFeatureImport::Import(const QIVIDocument_var& document, const std::string& path,
                                 std::string& error) {
  std::string text;
  return BiwplanCsvReader::ReadFile(path, text, error) ? ImportText(document, text, path, error) : -1;
}

int BiwplanFeatureImport::ImportText(const QIVIDocument_var& document, const std::string& text,
                                     const std::string& sourceName, std::string& error) {
  BiwplanCsvReader csv(text, sourceName);
  const auto fail = [&](const std::string& reason = std::string()) { return csv.GiveUp(error, reason); };
  if (!document) return fail("no document");
  if (!csv.ReadHeader({"kind", "name", "part", "x", "y", "z", "roll", "pitch", "yaw", "text"},
                      {"kind", "name", "part", "x", "y", "z"}))
    return fail();

  std::vector<Row> rows;
  std::set<std::string> names;
  while (csv.Next()) {
    Row row;
    const std::string kind = csv.Field("kind");
    row.kind = FindKind(kind);
    if (!row.kind)
      return fail("unknown kind \"" + kind + "\" (datum, datum-target, locating-point or clamping-point)");
    row.name = csv.Field("name");
    if (row.name.empty()) return fail("empty name");
    QIVBaseUnknown_var existing;
    if (!names.insert(row.name).second ||
        (SUCCEEDED(document->FindFeatureByName(row.name, existing)) && existing))
      return fail("a feature named \"" + row.name + "\" is already in the document");
    const std::string part = csv.Field("part");
    if (part.empty()) return fail("empty part");
    if (FAILED(document->FindProductByPath(BiwplanCsvReader::SplitPath(part), row.part)) || !row.part)
      return fail("unknown part \"" + part + "\"");
    row.text = csv.Field("text");
    bool positioned = false;
    for (std::size_t i = 0; i < row.position.size(); ++i) {
      if (!csv.Number(kPositionColumns[i], row.position[i])) return fail();
      positioned = positioned || !csv.Field(kPositionColumns[i]).empty();
    }
    if (row.kind->isDatum && (positioned || !row.text.empty()))
      return fail(std::string("a ") + row.kind->word +
                  " keeps its name and part only: leave x to yaw and text empty");
    if (!row.kind->isDatum)
      for (const char* column : {"x", "y", "z"})
        if (csv.Field(column).empty())
          return fail(std::string("missing ") + column + " of a " + row.kind->word);
    rows.push_back(std::move(row));
  }
  if (csv.Failed()) return fail();

  for (const Row& row : rows)
    if (!Make(document, row)) {
      error = sourceName + ": the " + row.kind->word + " \"" + row.name + "\" could not be made";
      return -1;
    }
  return static_cast<int>(rows.size());
}

const char* BiwplanFeatureImport::KindWord(const QIVBaseUnknown_var& feature) {
  if (QIVITPSDatumTarget_var(feature)) return "datum-target";
  if (QIVITPSDatumSimple_var(feature)) return "datum";
  if (ZELIBIWLocatingPoint_var(feature)) return "locating-point";
  if (ZELIBIWClampingPoint_var(feature)) return "clamping-point";
  return "";
}
