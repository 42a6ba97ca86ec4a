#include "QIVDocumentReader.h"

#include <simdjson.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "QIVDocument.h"
#include "QIVDocumentFormat.h"
#include "QIVIPlantLibrary.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPDynamicActivity.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemLink.h"
#include "QIVISPPProcessContainer.h"
#include "QIVISPPProductIO.h"
#include "QIVJsonLocator.h"
#include "QIVMathTransformation.h"
#include "QIVSPPActivityType.h"
#include "ZELIBIWCurveFastener.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIMHIDocInfo.h"
#include "ZELISpotWeld.h"
#include "ZELIUpdateManufAssly.h"

namespace F = QIVDocumentFormat;
using Json = nlohmann::json;
using Value = simdjson::dom::element;
using ValueType = simdjson::dom::element_type;

namespace {

// Thrown inside the reader only; Read turns it into a placed error.
struct ReadFault {
  std::string pointer;
  std::string reason;
};

// Where the reader stands in the parsed text. Places live on the stack as
// the reader descends; the JSON pointer is only spelled out for an error.
struct Place {
  const Place* parent = nullptr;
  std::string_view key;
  std::size_t index = 0;
  bool isMember = false;

  Place Member(std::string_view name) const { return {this, name, 0, true}; }
  Place Element(std::size_t position) const { return {this, {}, position, false}; }

  std::string Pointer() const {
    std::vector<const Place*> chain;
    for (const Place* step = this; step && step->parent; step = step->parent) chain.push_back(step);
    std::string pointer;
    for (auto step = chain.rbegin(); step != chain.rend(); ++step) {
      pointer += '/';
      if (!(*step)->isMember) {
        pointer += std::to_string((*step)->index);
        continue;
      }
      for (char c : (*step)->key) pointer += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
    }
    return pointer;
  }
};

[[noreturn]] void Fail(const Place& place, std::string reason) {
  throw ReadFault{place.Pointer(), std::move(reason)};
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// "a Product", "an Activity".
std::string WithArticle(std::string_view word) {
  const bool vowel =
      !word.empty() && std::string_view("AEIOUaeiou").find(word.front()) != std::string_view::npos;
  return (vowel ? "an " : "a ") + std::string(word);
}

const char* TypeName(const Value& value) {
  switch (value.type()) {
    case ValueType::OBJECT:
      return "an object";
    case ValueType::ARRAY:
      return "an array";
    case ValueType::STRING:
      return "a text";
    case ValueType::BOOL:
      return "true or false";
    case ValueType::NULL_VALUE:
      return "null";
    default:
      return "a number";
  }
}

bool IsNumber(const Value& value) {
  const ValueType type = value.type();
  return type == ValueType::INT64 || type == ValueType::UINT64 || type == ValueType::DOUBLE;
}

void Expect(const Value& value, bool matches, const char* wanted, const Place& place) {
  if (!matches) Fail(place, std::string("expected ") + wanted + ", found " + TypeName(value));
}

simdjson::dom::array Array(const Value& value, const Place& place) {
  Expect(value, value.is_array(), "an array", place);
  return value.get_array().value_unsafe();
}

std::string_view Text(const Value& value, const Place& place) {
  Expect(value, value.is_string(), "a text", place);
  return value.get_string().value_unsafe();
}

double Number(const Value& value, const Place& place) {
  Expect(value, IsNumber(value), "a number", place);
  return value.get_double().value_unsafe();
}

bool Flag(const Value& value, const Place& place) {
  Expect(value, value.is_bool(), "true or false", place);
  return value.get_bool().value_unsafe();
}

long long WholeNumber(const Value& value, const Place& place, long long low, long long high, const char* wanted) {
  bool whole = false;
  long long number = 0;
  if (value.type() == ValueType::INT64) {
    number = value.get_int64().value_unsafe();
    whole = number >= low && number <= high;
  } else if (value.type() == ValueType::UINT64) {
    const unsigned long long big = value.get_uint64().value_unsafe();
    whole = big <= static_cast<unsigned long long>(high) && (low <= 0 || big >= static_cast<unsigned long long>(low));
    number = static_cast<long long>(big);
  }
  Expect(value, whole, wanted, place);
  return number;
}

QIVObjectId Id(const Value& value, const Place& place) {
  return WholeNumber(value, place, 1, LLONG_MAX, "an id (a whole number from 1)");
}

std::vector<double> Numbers(const Value& value, const Place& place, std::size_t count) {
  const simdjson::dom::array values = Array(value, place);
  const std::size_t size = values.size();
  if (count && size != count)
    Fail(place, "expected " + std::to_string(count) + " numbers, found " + std::to_string(size));
  std::vector<double> numbers;
  numbers.reserve(size);
  for (const Value element : values) numbers.push_back(Number(element, place.Element(numbers.size())));
  return numbers;
}

QIVRawColldouble RawNumbers(const Value& value, const Place& place, std::size_t count) {
  QIVRawColldouble numbers;
  numbers.Items() = Numbers(value, place, count);
  return numbers;
}

// Keys mostly differ in length or first letter, told without a call to
// memcmp.
bool SameKey(std::string_view a, std::string_view b) {
  return a.size() == b.size() && (a.empty() || (a[0] == b[0] && std::memcmp(a.data(), b.data(), a.size()) == 0));
}

// The members of an object, checked against those its kind may have. They
// are gathered in the one walk that checks them, so that asking for each
// field does not walk the object again.
class Fields {
 public:
  Fields(const Value& value, const Place& place, std::span<const std::string_view> allowed) : _place(place) {
    Expect(value, value.is_object(), "an object", place);
    _value = value.get_object().value_unsafe();
    for (const simdjson::dom::key_value_pair member : _value) {
      if (std::none_of(allowed.begin(), allowed.end(),
                       [&](std::string_view known) { return SameKey(known, member.key); }))
        Fail(place.Member(member.key), "unknown field " + Quoted(member.key));
      if (_count < _members.size()) _members[_count] = {member.key, member.value};
      ++_count;
    }
  }

  std::optional<Value> Optional(std::string_view key) const {
    if (_count <= _members.size()) {
      for (std::size_t i = 0; i < _count; ++i)
        if (SameKey(_members[i].first, key)) return _members[i].second;
      return std::nullopt;
    }
    Value found;
    if (_value.at_key(key).get(found) != simdjson::SUCCESS) return std::nullopt;
    return found;
  }
  Value Required(std::string_view key) const {
    const std::optional<Value> found = Optional(key);
    if (!found) Fail(_place, "missing field " + Quoted(key));
    return *found;
  }
  Place At(std::string_view key) const { return _place.Member(key); }
  const Place& Here() const { return _place; }

 private:
  simdjson::dom::object _value;
  // A kind has at most 15 fields; more members repeat one, and are then
  // found as the library finds them.
  std::array<std::pair<std::string_view, Value>, 16> _members;
  std::size_t _count = 0;
  const Place& _place;
};

constexpr std::string_view DocumentKeys[] = {"format", "version",  "references",  "products",
                                             "datums", "features", "assemblies",  "process",
                                             "flow",   "items",    "plantLibrary"};
constexpr std::string_view ReferenceKeys[] = {"id", "partNumber", "plmId"};
constexpr std::string_view ProductKeys[] = {"id",       "name",  "plantType", "reference",
                                            "position", "plmId", "children"};
constexpr std::string_view DatumKeys[] = {"id", "kind", "name", "owner", "plmId"};
constexpr std::string_view FeatureContainerKeys[] = {"id", "plmId", "groups"};
constexpr std::string_view ProcessContainerKeys[] = {"id", "plmId", "partialReadOnly", "activities"};
constexpr std::string_view PlantLibraryKeys[] = {"id", "plmId", "entries"};
constexpr std::string_view GroupKeys[] = {"id",       "kind",  "name",  "graphic",
                                          "planType", "parts", "plmId", "children"};
constexpr std::string_view PointFastenerKeys[] = {"id",       "kind",
                                                  "name",     "type",
                                                  "category", "identifier",
                                                  "version",  "color",
                                                  "values",   "manufacturingPosition",
                                                  "graphic",  "planType",
                                                  "parts",    "externalAssignments",
                                                  "plmId"};
constexpr std::string_view CurveFastenerKeys[] = {
    "id",    "kind",   "name",    "type",     "category", "identifier",          "version",
    "color", "points", "graphic", "planType", "parts",    "externalAssignments", "plmId"};
constexpr std::string_view LocatorKeys[] = {"id",       "kind",    "name",     "description", "color",
                                            "position", "graphic", "planType", "parts",       "plmId"};
constexpr std::string_view AssemblyKeys[] = {"id", "label", "parts", "subAssemblies", "plmId"};
constexpr std::string_view ActivityKeys[] = {
    "id",        "type",   "name",    "cycleTime", "attributes", "automaticUpdate",
    "standsFor", "inputs", "outputs", "plmId",     "children"};
constexpr std::string_view ItemKeys[] = {"activity", "item", "mode", "options"};

std::span<const std::string_view> KeysOf(F::Family family) {
  switch (family) {
    case F::Family::PointFastener:
      return PointFastenerKeys;
    case F::Family::CurveFastener:
      return CurveFastenerKeys;
    case F::Family::Locator:
      return LocatorKeys;
    default:
      return GroupKeys;
  }
}

// Reads in two passes over the parsed text: the first builds every object
// with its id, its values and its place in its tree; the second makes the
// links by id, so a link may name an object anywhere in the text.
class Reader {
 public:
  Reader() : _document(QIVDocument::NewEmpty()) {}

  QIVIDocument_var Run(const Value& root) {
    const Place top;
    Expect(root, root.is_object(), "an object", top);
    CheckFormat(root, top);
    const Fields document(root, top, DocumentKeys);
    for (Pass pass : {Pass::Build, Pass::Link}) {
      _pass = pass;
      // References hold no links; the links of products, datums and features
      // name only references and products, which stand before them, so the
      // first pass makes them, and the second walks those sections again
      // only to report a link the first could not make.
      if (pass == Pass::Build)
        ReadSection(document, "references",
                    [&](const Value& value, const Place& at) { ReadReference(value, at); });
      if (pass == Pass::Build || _earlyLinkFailed) {
        ReadSection(document, "products",
                    [&](const Value& value, const Place& at) { ReadProduct(value, at, {}, 1); });
        ReadSection(document, "datums", [&](const Value& value, const Place& at) { ReadDatum(value, at); });
        ReadFeatures(document);
      }
      ReadSection(document, "assemblies",
                  [&](const Value& value, const Place& at) { ReadAssembly(value, at); });
      ReadProcess(document);
      ReadPlantLibrary(document);
    }
    ReadSection(document, "flow", [&](const Value& value, const Place& at) { ReadFlowLink(value, at); });
    ReadSection(document, "items", [&](const Value& value, const Place& at) { ReadItem(value, at); });
    for (const auto& finish : _finishing) finish();
    return _document;
  }

  void Abandon() { _document->Close(); }

 private:
  enum class Pass { Build, Link };

  void CheckFormat(const Value& root, const Place& top) {
    Value format, version;
    if (root.at_key("format").get(format) != simdjson::SUCCESS)
      Fail(top, "missing field \"format\": not a biwplan document");
    if (const std::string_view name = Text(format, top.Member("format")); name != F::Name)
      Fail(top.Member("format"), "not a biwplan document: the format is " + Quoted(name));
    if (root.at_key("version").get(version) != simdjson::SUCCESS) Fail(top, "missing field \"version\"");
    const long long number = WholeNumber(version, top.Member("version"), 1, LLONG_MAX, "a version number");
    if (number > F::Version)
      Fail(top.Member("version"), "version " + std::to_string(number) +
                                      " is newer than this program reads (" + std::to_string(F::Version) +
                                      ")");
  }

  template <class Read>
  void ReadSection(const Fields& document, const char* key, Read&& read) {
    const std::optional<Value> section = document.Optional(key);
    if (!section) return;
    ReadArray(*section, document.At(key), read);
  }

  template <class Read>
  void ReadArray(const Value& value, const Place& at, Read&& read) {
    Array(value, at);
    std::size_t index = 0;
    for (const Value element : Array(value, at)) read(element, at.Element(index++));
  }

  template <class Read>
  void ReadChildren(const Fields& fields, int depth, Read&& read) {
    const std::optional<Value> children = fields.Optional("children");
    if (!children) return;
    if (depth >= F::MaxDepth)
      Fail(fields.At("children"), "the tree is deeper than " + std::to_string(F::MaxDepth) + " levels");
    ReadArray(*children, fields.At("children"), read);
  }

  // Objects and links.

  // The object of the entry: built in the first pass, found in the second.
  QIVBaseUnknown_var Entry(const Fields& fields, const char* kind, const char* subKind) {
    const Place at = fields.At("id");
    const QIVObjectId id = Id(fields.Required("id"), at);
    QIVBaseUnknown_var object;
    const bool exists = SUCCEEDED(_document->FindObject(id, object));
    if (_pass == Pass::Link) return object;
    if (exists)
      Fail(at,
           "id " + std::to_string(id) + " is used twice (already by " + WithArticle(KindOf(object)) + ")");
    if (FAILED(_document->CreateObject(kind, subKind, id, object)) || !object)
      Fail(fields.Here(), "cannot build " + WithArticle(*subKind ? subKind : kind));
    Texts(fields, object, F::PLMFields);
    return object;
  }

  static std::string KindOf(const QIVBaseUnknown_var& object) {
    QIVIModelObject_var model(object);
    return model ? model->GetKindName() : "object";
  }

  // The object an id names, of one of `kinds` (any kind when none is given).
  QIVBaseUnknown_var Resolve(const Value& value, const Place& place,
                             std::initializer_list<const char*> kinds) {
    const QIVObjectId id = Id(value, place);
    QIVBaseUnknown_var object;
    if (FAILED(_document->FindObject(id, object))) Fail(place, "no object has id " + std::to_string(id));
    const std::string kind = KindOf(object);
    if (kinds.size() == 0 || std::find(kinds.begin(), kinds.end(), kind) != kinds.end()) return object;
    std::string wanted;
    for (const char* allowed : kinds) wanted += (wanted.empty() ? "" : " or ") + WithArticle(allowed);
    Fail(place, "id " + std::to_string(id) + " is " + WithArticle(kind) + ", not " + wanted);
  }

  // The first pass's resolution of a link to an object of `kind` built
  // before: false, without a fault, for anything Resolve would refuse, which
  // the second pass then reports.
  bool TryResolve(const Value& value, const char* kind, QIVBaseUnknown_var& object) {
    if (value.type() != ValueType::INT64 && value.type() != ValueType::UINT64) return false;
    const QIVObjectId id = value.type() == ValueType::INT64 ? value.get_int64().value_unsafe()
                                                            : static_cast<QIVObjectId>(value.get_uint64().value_unsafe());
    if (id < 1 || FAILED(_document->FindObject(id, object)) || KindOf(object) != kind) return false;
    return true;
  }
  bool TryResolveAll(const Value& value, const char* kind, QIVListValQIVBaseUnknown_var& objects) {
    simdjson::dom::array values;
    if (value.get_array().get(values) != simdjson::SUCCESS) return false;
    objects.Reserve(static_cast<int>(values.size()));
    std::vector<QIVBaseUnknown*> distinct;
    for (const Value element : values) {
      QIVBaseUnknown_var object;
      if (!TryResolve(element, kind, object)) return false;
      distinct.push_back(object.Identity());
      objects.Append(object);
    }
    std::sort(distinct.begin(), distinct.end());
    return std::adjacent_find(distinct.begin(), distinct.end()) == distinct.end();
  }
  // Makes a link in the first pass, or leaves it to the second.
  template <class Link>
  void LinkEarly(bool resolved, Link&& link) {
    if (_pass == Pass::Link) return;
    if (resolved)
      link();
    else
      _earlyLinkFailed = true;
  }

  // Distinct objects, in order.
  QIVListValQIVBaseUnknown_var ResolveAll(const Value& value, const Place& place,
                                          std::initializer_list<const char*> kinds) {
    QIVListValQIVBaseUnknown_var objects;
    std::unordered_set<QIVBaseUnknown*> seen;
    ReadArray(value, place, [&](const Value& element, const Place& at) {
      objects.Append(Resolve(element, at, kinds));
      if (!seen.insert(objects[objects.Size()].Identity()).second)
        Fail(at, "id " + std::to_string(Id(element, at)) + " is listed twice");
    });
    return objects;
  }

  template <class I, std::size_t N>
  void Texts(const Fields& fields, const QIVBaseUnknown_var& object, const F::TextField<I> (&table)[N]) {
    // Most entries leave most optional texts out: those need no interface.
    if (std::none_of(std::begin(table), std::end(table), [&](const F::TextField<I>& field) {
          return field.always || fields.Optional(field.key);
        }))
      return;
    QIVVar<I> holder(object);
    if (!holder) return;
    for (const F::TextField<I>& field : table) {
      const std::optional<Value> value = fields.Optional(field.key);
      if (!value) {
        if (field.always) Fail(fields.Here(), "missing field " + Quoted(field.key));
        continue;
      }
      const Place at = fields.At(field.key);
      if (FAILED((holder.get()->*field.set)(QIVUnicodeString(Text(*value, at)))))
        Fail(at, field.refusal ? field.refusal : "the value is refused");
    }
  }

  template <class I>
  void Color(const Fields& fields, const QIVBaseUnknown_var& object, const F::ColorField<I>& field) {
    const std::optional<Value> value = fields.Optional("color");
    QIVVar<I> holder(object);
    if (!value || !holder) return;
    const Place at = fields.At("color");
    const std::string_view text = Text(*value, at);
    const bool hex =
        text.size() == 7 && text[0] == '#' &&
        std::all_of(text.begin() + 1, text.end(), [](unsigned char c) { return std::isxdigit(c); });
    if (!hex) Fail(at, "expected a colour \"#RRGGBB\", found " + Quoted(text));
    (holder.get()->*field.set)(std::stol(std::string(text.substr(1)), nullptr, 16));
  }

  // Sections.

  void ReadReference(const Value& value, const Place& at) {
    const Fields fields(value, at, ReferenceKeys);
    const QIVBaseUnknown_var reference = Entry(fields, "ProductReference", "");
    if (_pass == Pass::Build) Texts(fields, reference, F::ReferenceFields);
  }

  void ReadProduct(const Value& value, const Place& at, const QIVBaseUnknown_var& father, int depth) {
    const Fields fields(value, at, ProductKeys);
    const QIVBaseUnknown_var object = Entry(fields, "Product", "");
    QIVIProduct_var product(object);
    if (_pass == Pass::Build) {
      Texts(fields, object, F::ProductFields);
      Texts(fields, object, F::PlantObjectFields);
      if (const std::optional<Value> position = fields.Optional("position")) {
        const std::vector<double> rows = Numbers(*position, fields.At("position"), 12);
        std::array<double, 12> matrix;
        std::copy(rows.begin(), rows.end(), matrix.begin());
        product->SetPosition(QIVMathTransformation(matrix));
      }
      const HRESULT placed =
          father ? QIVIProduct_var(father)->AddChild(object) : _document->AddRootProduct(object);
      if (FAILED(placed)) Fail(at, "the product cannot be placed here");
    }
    if (const std::optional<Value> reference = fields.Optional("reference")) {
      QIVBaseUnknown_var found;
      LinkEarly(TryResolve(*reference, "ProductReference", found), [&] { product->SetReferenceProduct(found); });
      if (_pass == Pass::Link)
        product->SetReferenceProduct(Resolve(*reference, fields.At("reference"), {"ProductReference"}));
    }
    ReadChildren(fields, depth, [&](const Value& child, const Place& childAt) {
      ReadProduct(child, childAt, object, depth + 1);
    });
  }

  void ReadDatum(const Value& value, const Place& at) {
    const Fields fields(value, at, DatumKeys);
    const std::string_view word = Text(fields.Required("kind"), fields.At("kind"));
    const F::Kind* kind = F::FindKind(word);
    if (!kind || kind->family != F::Family::Datum)
      Fail(fields.At("kind"), "unknown datum kind " + Quoted(word));
    const QIVBaseUnknown_var datum = Entry(fields, kind->modelKind, kind->subKind);
    if (_pass == Pass::Build) {
      Texts(fields, datum, F::DatumSimpleFields);
      Texts(fields, datum, F::DatumTargetFields);
    }
    if (const std::optional<Value> owner = fields.Optional("owner")) {
      auto setOwner = [&](const QIVBaseUnknown_var& product) {
        if (QIVITPSDatumSimple_var simple = datum) simple->SetOwnerProduct(product);
        if (QIVITPSDatumTarget_var target = datum) target->SetOwnerProduct(product);
      };
      QIVBaseUnknown_var found;
      LinkEarly(TryResolve(*owner, "Product", found), [&] { setOwner(found); });
      if (_pass == Pass::Link) setOwner(Resolve(*owner, fields.At("owner"), {"Product"}));
    }
  }

  void ReadFeatures(const Fields& document) {
    const Place at = document.At("features");
    const Fields fields(document.Required("features"), at, FeatureContainerKeys);
    const QIVBaseUnknown_var container = Entry(fields, "FeatureContainer", "");
    _relations = container;
    if (const std::optional<Value> groups = fields.Optional("groups"))
      ReadArray(*groups, fields.At("groups"),
                [&](const Value& group, const Place& groupAt) { ReadFeature(group, groupAt, container, 1); });
  }

  // A feature under `father`: the feature container for a top group, else a
  // group.
  void ReadFeature(const Value& value, const Place& at, const QIVBaseUnknown_var& father, int depth) {
    Expect(value, value.is_object(), "an object", at);
    Value kindValue;
    if (value.at_key("kind").get(kindValue) != simdjson::SUCCESS) Fail(at, "missing field \"kind\"");
    const std::string_view word = Text(kindValue, at.Member("kind"));
    const F::Kind* kind = F::FindKind(word);
    if (!kind || kind->family == F::Family::Datum)
      Fail(at.Member("kind"), "unknown feature kind " + Quoted(word));
    const bool atTop = depth == 1;
    if (atTop != (kind->family == F::Family::TopGroup))
      Fail(at.Member("kind"), WithArticle(word) + (atTop ? " cannot stand among the top groups"
                                                         : " stands only among the top groups"));

    const Fields fields(value, at, KeysOf(kind->family));
    const QIVBaseUnknown_var feature = Entry(fields, kind->modelKind, kind->subKind);
    if (_pass == Pass::Build) {
      const HRESULT placed = atTop ? ZELIBIWFeatureContainer_var(father)->AddTopGroup(feature)
                                   : ZELIBIWFeatureChildMgmt_var(father)->AddChild(feature);
      if (FAILED(placed))
        Fail(at, atTop ? "there is " + WithArticle(word) + " already" : "the feature cannot be placed here");
      Texts(fields, feature, F::AliasFields);
      Texts(fields, feature, F::FeatureFields);
      if (kind->family == F::Family::PointFastener || kind->family == F::Family::CurveFastener)
        ReadFastener(fields, feature, kind->family);
      if (kind->family == F::Family::Locator) ReadLocator(fields, feature);
    }
    if (const std::optional<Value> parts = fields.Optional("parts")) {
      QIVListValQIVBaseUnknown_var found;
      LinkEarly(TryResolveAll(*parts, "Product", found),
                [&] { _relations->SetRelatedParts(feature, found, true); });
      if (_pass == Pass::Link)
        _relations->SetRelatedParts(feature, ResolveAll(*parts, fields.At("parts"), {"Product"}), true);
    }
    ReadChildren(fields, depth, [&](const Value& child, const Place& childAt) {
      ReadFeature(child, childAt, feature, depth + 1);
    });
  }

  void ReadFastener(const Fields& fields, const QIVBaseUnknown_var& feature, F::Family family) {
    Texts(fields, feature, F::FastenerFields);
    Color(fields, feature, F::FastenerColor);
    if (family == F::Family::PointFastener) {
      ZELISpotWeld_var(feature)->SetValues(
          RawNumbers(fields.Required("values"), fields.At("values"), ZELISpotWeld::SettingCount));
      if (const std::optional<Value> position = fields.Optional("manufacturingPosition"))
        ZELIBIWPointFastener_var(feature)->SetManufacturingPosition(
            RawNumbers(*position, fields.At("manufacturingPosition"), 6), false);
    } else {
      QIVListVal<QIVRawColldouble> points;
      ReadArray(fields.Required("points"), fields.At("points"), [&](const Value& point, const Place& pointAt) {
        points.Append(RawNumbers(point, pointAt, 6));
      });
      ZELIBIWCurveFastener_var(feature)->SetPoints(points);
    }
    if (const std::optional<Value> assignments = fields.Optional("externalAssignments")) {
      ZELIBIWFastener_var fastener(feature);
      ReadArray(*assignments, fields.At("externalAssignments"),
                [&](const Value& assignment, const Place& entryAt) {
                  fastener->AddExternalAssignment(QIVUnicodeString(Text(assignment, entryAt)));
                });
    }
  }

  void ReadLocator(const Fields& fields, const QIVBaseUnknown_var& feature) {
    const QIVRawColldouble position = RawNumbers(fields.Required("position"), fields.At("position"), 6);
    if (ZELIBIWLocatingPoint_var locating = feature) {
      Texts(fields, feature, F::LocatingPointFields);
      Color(fields, feature, F::LocatingPointColor);
      locating->SetPosition(position);
    } else if (ZELIBIWClampingPoint_var clamping = feature) {
      Texts(fields, feature, F::ClampingPointFields);
      Color(fields, feature, F::ClampingPointColor);
      clamping->SetPosition(position);
    }
  }

  void ReadAssembly(const Value& value, const Place& at) {
    const Fields fields(value, at, AssemblyKeys);
    const QIVBaseUnknown_var object = Entry(fields, "MfgAssembly", "");
    if (_pass == Pass::Build) {
      Texts(fields, object, F::AssemblyFields);
      return;
    }
    ZELIMfgAssembly_var assembly(object);
    if (const std::optional<Value> parts = fields.Optional("parts"))
      for (const QIVBaseUnknown_var& part : ResolveAll(*parts, fields.At("parts"), {"Product"}))
        assembly->AddPart(part);
    if (const std::optional<Value> subAssemblies = fields.Optional("subAssemblies")) {
      const Place subAt = fields.At("subAssemblies");
      const QIVListValQIVBaseUnknown_var held = ResolveAll(*subAssemblies, subAt, {"MfgAssembly"});
      for (int i = 1; i <= held.Size(); ++i)
        if (FAILED(assembly->AddPart(held[i])))
          Fail(subAt.Element(i - 1), "an assembly cannot contain itself, even through its sub-assemblies");
    }
  }

  void ReadProcess(const Fields& document) {
    const Place at = document.At("process");
    const Fields fields(document.Required("process"), at, ProcessContainerKeys);
    const QIVBaseUnknown_var container = Entry(fields, "ProcessContainer", "");
    if (const std::optional<Value> partial = fields.Optional("partialReadOnly"); partial && _pass == Pass::Build)
      ZELIMHIDocInfo_var(container)->SetPartialReadOnly(Flag(*partial, fields.At("partialReadOnly")));
    if (const std::optional<Value> activities = fields.Optional("activities"))
      ReadArray(*activities, fields.At("activities"), [&](const Value& activity, const Place& activityAt) {
        ReadActivity(activity, activityAt, container, 1);
      });
  }

  // An activity under `father`: the process container for a process root,
  // else an activity.
  void ReadActivity(const Value& value, const Place& at, const QIVBaseUnknown_var& father, int depth) {
    const Fields fields(value, at, ActivityKeys);
    const std::string_view typeName = Text(fields.Required("type"), fields.At("type"));
    const QIVSPPActivityType* type = QIVSPPActivityType::Find(typeName);
    if (!type) Fail(fields.At("type"), "unknown activity type " + Quoted(typeName));
    if (type->IsAbstract())
      Fail(fields.At("type"),
           "the activity type " + Quoted(typeName) + " is abstract: no activity is of it alone");
    const QIVBaseUnknown_var object = Entry(fields, "Activity", type->name);
    if (_pass == Pass::Build)
      BuildActivity(fields, object, father, depth == 1);
    else
      LinkActivity(fields, object);
    ReadChildren(fields, depth, [&](const Value& child, const Place& childAt) {
      ReadActivity(child, childAt, object, depth + 1);
    });
  }

  void BuildActivity(const Fields& fields, const QIVBaseUnknown_var& object, const QIVBaseUnknown_var& father,
                     bool isRoot) {
    const HRESULT placed = isRoot ? QIVISPPProcessContainer_var(father)->AddProcess(object)
                                  : QIVISPPChildManagement_var(father)->AppendChild(object);
    if (FAILED(placed)) Fail(fields.Here(), "the activity cannot be placed here");
    Texts(fields, object, F::ActivityFields);
    QIVISPPActivity_var activity(object);
    if (const std::optional<Value> attributes = fields.Optional("attributes")) {
      const Place attributesAt = fields.At("attributes");
      simdjson::dom::object members;
      Expect(*attributes, attributes->get_object().get(members) == simdjson::SUCCESS, "an object", attributesAt);
      for (const simdjson::dom::key_value_pair attribute : members) {
        const Place attributeAt = attributesAt.Member(attribute.key);
        if (FAILED(activity->SetAttribute(QIVUnicodeString(attribute.key), Number(attribute.value, attributeAt))))
          Fail(attributeAt, WithArticle(activity->GetActivityType().view()) + " has no attribute " +
                                Quoted(attribute.key));
      }
    }
    // Kept for the end, so that nothing done while reading recomputes them.
    if (const std::optional<Value> cycleTime = fields.Optional("cycleTime")) {
      const double seconds = Number(*cycleTime, fields.At("cycleTime"));
      if (seconds < 0.0) Fail(fields.At("cycleTime"), "a cycle time is not negative");
      _finishing.push_back([activity, seconds] { activity->SetCycleTime(seconds); });
    }
    if (const std::optional<Value> automatic = fields.Optional("automaticUpdate")) {
      const bool on = Flag(*automatic, fields.At("automaticUpdate"));
      ZELIUpdateManufAssly_var root(object);
      if (!root)
        Fail(fields.At("automaticUpdate"), "only a process root updates its assemblies automatically");
      _finishing.push_back([root, on] { root->SetAutomaticUpdate(on); });
    }
    if (fields.Optional("standsFor") && !QIVISPPDynamicActivity_var(object))
      Fail(fields.At("standsFor"), "only a DynamicActivity stands for another activity");
  }

  void LinkActivity(const Fields& fields, const QIVBaseUnknown_var& object) {
    if (const std::optional<Value> standsFor = fields.Optional("standsFor")) {
      const Place at = fields.At("standsFor");
      if (FAILED(QIVISPPDynamicActivity_var(object)->SetActivity(Resolve(*standsFor, at, {"Activity"}))))
        Fail(at, "an activity cannot stand for itself");
    }
    QIVISPPFlowMgt_var flow(object);
    for (const bool input : {true, false}) {
      const char* key = input ? "inputs" : "outputs";
      const std::optional<Value> value = fields.Optional(key);
      if (!value) continue;
      ReadArray(*value, fields.At(key), [&](const Value& product, const Place& productAt) {
        QIVBaseUnknown_var productIO;
        if (input)
          flow->CreateProductInput(productIO);
        else
          flow->CreateProductOutput(productIO);
        if (!product.is_null())
          QIVISPPProductIO_var(productIO)->SetProduct(
              Resolve(product, productAt, {"Product", "MfgAssembly"}));
      });
    }
  }

  void ReadFlowLink(const Value& value, const Place& at) {
    const simdjson::dom::array pair = Array(value, at);
    if (pair.size() != 2)
      Fail(at, "expected a pair of activity ids, found " + std::to_string(pair.size()) + " values");
    const QIVBaseUnknown_var from = Resolve(pair.at(0).value_unsafe(), at.Element(0), {"Activity"});
    const QIVBaseUnknown_var to = Resolve(pair.at(1).value_unsafe(), at.Element(1), {"Activity"});
    const HRESULT linked = QIVISPPFlowMgt_var(from)->AddNextActivity(to);
    if (linked == S_FALSE) Fail(at, "this flow link is listed twice");
    if (FAILED(linked)) Fail(at, "these activities cannot be linked");
  }

  void ReadItem(const Value& value, const Place& at) {
    const Fields fields(value, at, ItemKeys);
    const QIVBaseUnknown_var activity =
        Resolve(fields.Required("activity"), fields.At("activity"), {"Activity"});
    const QIVBaseUnknown_var item = Resolve(fields.Required("item"), fields.At("item"), {});
    const std::string_view word = Text(fields.Required("mode"), fields.At("mode"));
    const auto mode = std::find_if(std::begin(F::ItemModes), std::end(F::ItemModes),
                                   [&](const F::ItemMode& known) { return word == known.word; });
    if (mode == std::end(F::ItemModes))
      Fail(fields.At("mode"), "unknown mode " + Quoted(word) + "; the modes are \"assigned\" and \"flow\"");
    QIVBaseUnknown_var link;
    const HRESULT added = QIVISPPItemMgt_var(activity)->AddItem(item, mode->mode, &link);
    if (added == S_FALSE) Fail(at, "this item is listed twice for its activity");
    if (FAILED(added))
      Fail(fields.At("item"), WithArticle(KindOf(item)) + " cannot be an item of an activity");
    if (const std::optional<Value> options = fields.Optional("options")) {
      const Place optionsAt = fields.At("options");
      const simdjson::dom::array pair = Array(*options, optionsAt);
      if (pair.size() != 2) Fail(optionsAt, "expected 2 option words, found " + std::to_string(pair.size()));
      int words[2];
      for (std::size_t i = 0; i < 2; ++i)
        words[i] = static_cast<int>(
            WholeNumber(pair.at(i).value_unsafe(), optionsAt.Element(i), INT_MIN, INT_MAX, "a whole number"));
      QIVISPPItemLink_var(link)->SetOptions(words[0], words[1]);
    }
  }

  void ReadPlantLibrary(const Fields& document) {
    const Place at = document.At("plantLibrary");
    const Fields fields(document.Required("plantLibrary"), at, PlantLibraryKeys);
    const QIVBaseUnknown_var library = Entry(fields, "PlantLibrary", "");
    if (_pass == Pass::Link)
      if (const std::optional<Value> entries = fields.Optional("entries"))
        for (const QIVBaseUnknown_var& entry : ResolveAll(*entries, fields.At("entries"), {}))
          QIVIPlantLibrary_var(library)->AddEntry(entry);
  }

  QIVIDocument_var _document;
  Pass _pass = Pass::Build;
  bool _earlyLinkFailed = false;
  ZELIBIWFeaturePartRelations_var _relations;
  std::vector<std::function<void()>> _finishing;
};

// Builds the parsed values as the library does, but keeps where the text
// stopped being JSON for every fault, a number too large for a double
// included (the library's own parse throws that one without its place).
class PlacedParser : public nlohmann::detail::json_sax_dom_parser<Json> {
 public:
  explicit PlacedParser(Json& root) : json_sax_dom_parser(root, false) {}

  template <class Exception>
  bool parse_error(std::size_t position, const std::string&, const Exception& fault) {
    _position = position;
    _message = fault.what();
    return false;
  }

  // The parser's reason without its own prefix and place:
  // "[json.exception.parse_error.101] parse error at line 3, column 7: why".
  QIVDocumentError Error(std::string_view text, const QIVUnicodeString& sourceName) const {
    int line = 0;
    int column = 0;
    QIVJsonLocator::LineAndColumn(text, _position > 0 ? _position - 1 : 0, line, column);
    std::string reason = _message;
    if (reason.front() == '[' && reason.find("] ") != std::string::npos)
      reason.erase(0, reason.find("] ") + 2);
    if (reason.rfind("parse error", 0) == 0 && reason.find(": ") != std::string::npos)
      reason.erase(0, reason.find(": ") + 2);
    return QIVDocumentError(sourceName, line, column, "", "not valid JSON: " + reason);
  }

 private:
  std::size_t _position = 0;
  std::string _message = "[] unreadable text";
};

}  // namespace

namespace {
// The place and reason of text that is not JSON, as the placed parser words
// them; the fast parser only says that it failed.
QIVDocumentError NotJson(std::string_view text, const QIVUnicodeString& sourceName, simdjson::error_code fault) {
  try {
    Json ignored;
    PlacedParser parser(ignored);
    if (!Json::sax_parse(text, &parser)) return parser.Error(text, sourceName);
  } catch (const std::exception& e) {
    return QIVDocumentError(sourceName, 0, 0, "", std::string("cannot read the text: ") + e.what());
  }
  return QIVDocumentError(sourceName, 0, 0, "", std::string("not valid JSON: ") + simdjson::error_message(fault));
}
// JSON allows integers beyond 64 bits, and the writer writes such a double
// as 1.8446744073709552e19 that way ("18446744073709552000"); simdjson
// refuses them. Outside texts, each integer of 20 digits or more gets ".0",
// which keeps its value and, like the parser that keeps such integers, makes
// it a number with a fraction. Lines stay as they were.
std::string WithLongIntegersAsDecimals(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 64);
  bool inText = false;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (inText) {
      out += c;
      if (c == '\\' && i + 1 < text.size()) out += text[++i];
      inText = c != '"';
      ++i;
      continue;
    }
    inText = c == '"';
    const char before = i > 0 ? text[i - 1] : ' ';
    const bool integerPart = std::isdigit(static_cast<unsigned char>(c)) &&
                             std::string_view("0123456789.eE+").find(before) == std::string_view::npos &&
                             !(before == '-' && i > 1 && (text[i - 2] == 'e' || text[i - 2] == 'E'));
    if (!integerPart) {
      out += c;
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    out.append(text.substr(i, end - i));
    if (end - i >= 20 && (end == text.size() || std::string_view(".eE").find(text[end]) == std::string_view::npos))
      out += ".0";
    i = end;
  }
  return out;
}
}  // namespace

static_assert(QIVDocumentReader::PaddingNeeded >= simdjson::SIMDJSON_PADDING);

HRESULT QIVDocumentReader::Read(const std::string& text, const QIVUnicodeString& sourceName,
                                QIVIDocument_var& document, QIVDocumentError& error) {
  return ReadText(text, text.capacity() - text.size() >= PaddingNeeded, nullptr, nullptr, sourceName, document,
                  error);
}

HRESULT QIVDocumentReader::Read(std::string_view text, const QIVUnicodeString& sourceName,
                                QIVIDocument_var& document, QIVDocumentError& error) {
  return ReadText(text, false, nullptr, nullptr, sourceName, document, error);
}

HRESULT QIVDocumentReader::Read(std::string&& text, const TextSource& again, const QIVUnicodeString& sourceName,
                                QIVIDocument_var& document, QIVDocumentError& error) {
  return ReadText(text, text.capacity() - text.size() >= PaddingNeeded, &text, &again, sourceName, document,
                  error);
}

HRESULT QIVDocumentReader::ReadText(std::string_view text, bool padded, std::string* owned,
                                    const TextSource* again, const QIVUnicodeString& sourceName,
                                    QIVIDocument_var& document, QIVDocumentError& error) {
  document = nullptr;
  error = QIVDocumentError();
  // A byte order mark is no part of the JSON text.
  const std::string_view json = text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text;
  // The parsed values live in their own document, so that the parser's
  // index of the text (four bytes a token) is freed before the objects are
  // built.
  simdjson::dom::document parsed;
  Value root;
  simdjson::error_code fault;
  {
    simdjson::dom::parser parser;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(json.data());
    fault = parser.parse_into_document(parsed, bytes, json.size(), !padded).get(root);
    if (fault == simdjson::NUMBER_ERROR) {
      const std::string widened = WithLongIntegersAsDecimals(json);
      fault = parser.parse_into_document(parsed, reinterpret_cast<const std::uint8_t*>(widened.data()),
                                         widened.size())
                  .get(root);
    }
  }
  if (fault) {
    error = NotJson(text, sourceName, fault);
    return E_FAIL;
  }
  if (owned) {
    std::string().swap(*owned);
    text = {};
  }
  Reader reader;
  try {
    document = reader.Run(root);
    return S_OK;
  } catch (const ReadFault& fault) {
    std::string reread;
    const std::string_view placed = owned ? ((*again)(reread) ? std::string_view(reread) : std::string_view()) : text;
    error = QIVDocumentError(sourceName, placed.empty() ? 0 : QIVJsonLocator::LineOfPointer(placed, fault.pointer),
                             0, fault.pointer, fault.reason);
  } catch (const std::exception& e) {
    error = QIVDocumentError(sourceName, 0, 0, "", std::string("cannot read the document: ") + e.what());
  }
  reader.Abandon();
  return E_FAIL;
}
