#pragma once

#include <functional>
#include <ostream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "BiwplanTable.h"
#include "QIVIDocument.h"

// The full records of a document's objects that `list`, `show` and `diff`
// print: one JSON object an object, numbers as numbers at full precision,
// null where the document holds no value, lists of names and paths in the
// document's order. docs/listing.schema.json describes them; a change of a
// record's shape raises kVersion.
class BiwplanRecords {
 public:
  using Json = nlohmann::ordered_json;
  enum Kind { Products, Activities, Fasteners, Joints, Features };
  static constexpr int kVersion = 1;
  static constexpr Kind kKinds[] = {Products, Activities, Fasteners, Joints, Features};

  explicit BiwplanRecords(QIVIDocument_var document);

  // "products", "activities", "fasteners", "joints", "features".
  static const char* KindWord(Kind kind);
  static bool ParseKind(const std::string& word, Kind& kind);

  // Hands the record of every object of the kind to `onRecord`, in
  // document order, so that a large listing is printed as it is made;
  // `onEach`, when given, is told how many of how many objects are done.
  void ForEach(Kind kind, const std::function<void(const Json&)>& onRecord,
               const std::function<void(std::size_t, std::size_t)>& onEach = {}) const;
  // The record of one object and its kind; false for an object of no
  // listed kind.
  bool Record(const QIVBaseUnknown_var& object, Kind& kind, Json& record) const;
  // The name that tells the object of a record among those of its kind:
  // an activity's or product's path, any other object's name.
  static std::string Key(const Json& record);

  // Prints the records of the kind that `produce` hands on: as the listing
  // scripts read ({"version", "kind", "items"}, each record written as it
  // comes), or as a table for a person (`format` Text: a few columns,
  // numbers rounded, counts where lists are long) or in CSV (every column,
  // full values).
  static void Print(Kind kind, BiwplanTable::Format format,
                    const std::function<void(const std::function<void(const Json&)>&)>& produce, std::ostream& out);

 private:
  Json Product(const QIVBaseUnknown_var& object) const;
  Json Activity(const QIVBaseUnknown_var& object) const;
  Json Fastener(const QIVBaseUnknown_var& object) const;
  Json Joint(const QIVBaseUnknown_var& object) const;
  Json Feature(const QIVBaseUnknown_var& object) const;
  bool IsJoint(const QIVBaseUnknown_var& object) const;
  Json ProductPaths(const QIVListValQIVBaseUnknown_var& products) const;
  Json ActivityPaths(const QIVListValQIVBaseUnknown_var& activities) const;
  Json RelatedParts(const QIVBaseUnknown_var& feature) const;

  QIVIDocument_var _document;
  QIVBaseUnknown_var _relations;
};
