#include "QIVDocumentReader.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <nlohmann/json.hpp>
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
#include "ZELISpotWeld.h"
#include "ZELIUpdateManufAssly.h"

namespace F = QIVDocumentFormat;
using Json = nlohmann::json;

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

[[noreturn]] void Fail(const Place& place, std::string reason) { throw ReadFault{place.Pointer(), std::move(reason)}; }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// "a Product", "an Activity".
std::string WithArticle(std::string_view word) {
  const bool vowel = !word.empty() && std::string_view("AEIOUaeiou").find(word.front()) != std::string_view::npos;
  return (vowel ? "an " : "a ") + std::string(word);
}

const char* TypeName(const Json& value) {
  switch (value.type()) {
    case Json::value_t::object: return "an object";
    case Json::value_t::array: return "an array";
    case Json::value_t::string: return "a text";
    case Json::value_t::boolean: return "true or false";
    case Json::value_t::null: return "null";
    default: return "a number";
  }
}

void Expect(const Json& value, bool matches, const char* wanted, const Place& place) {
  if (!matches) Fail(place, std::string("expected ") + wanted + ", found " + TypeName(value));
}

const Json& Array(const Json& value, const Place& place) {
  Expect(value, value.is_array(), "an array", place);
  return value;
}

const std::string& Text(const Json& value, const Place& place) {
  Expect(value, value.is_string(), "a text", place);
  return value.get_ref<const std::string&>();
}

double Number(const Json& value, const Place& place) {
  Expect(value, value.is_number(), "a number", place);
  return value.get<double>();
}

bool Flag(const Json& value, const Place& place) {
  Expect(value, value.is_boolean(), "true or false", place);
  return value.get<bool>();
}

long long WholeNumber(const Json& value, const Place& place, long long low, long long high, const char* wanted) {
  const bool whole = value.is_number_integer() &&
                     (value.is_number_unsigned() ? value.get<unsigned long long>() <= static_cast<unsigned long long>(high)
                                                 : value.get<long long>() >= low && value.get<long long>() <= high);
  Expect(value, whole, wanted, place);
  return value.get<long long>();
}

QIVObjectId Id(const Json& value, const Place& place) {
  return WholeNumber(value, place, 1, LLONG_MAX, "an id (a whole number from 1)");
}

std::vector<double> Numbers(const Json& value, const Place& place, std::size_t count) {
  Array(value, place);
  if (count && value.size() != count)
    Fail(place, "expected " + std::to_string(count) + " numbers, found " + std::to_string(value.size()));
  std::vector<double> numbers;
  numbers.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) numbers.push_back(Number(value[i], place.Element(i)));
  return numbers;
}

QIVRawColldouble RawNumbers(const Json& value, const Place& place, std::size_t count) {
  QIVRawColldouble numbers;
  numbers.Items() = Numbers(value, place, count);
  return numbers;
}

// The members of an object, checked against those its kind may have.
class Fields {
 public:
  Fields(const Json& value, const Place& place, std::span<const std::string_view> allowed)
      : _value(value), _place(place) {
    Expect(value, value.is_object(), "an object", place);
    for (const auto& member : value.items())
      if (std::find(allowed.begin(), allowed.end(), member.key()) == allowed.end())
        Fail(place.Member(member.key()), "unknown field " + Quoted(member.key()));
  }

  const Json* Optional(std::string_view key) const {
    auto found = _value.find(key);
    return found == _value.end() ? nullptr : &*found;
  }
  const Json& Required(std::string_view key) const {
    const Json* found = Optional(key);
    if (!found) Fail(_place, "missing field " + Quoted(key));
    return *found;
  }
  Place At(std::string_view key) const { return _place.Member(key); }
  const Place& Here() const { return _place; }

 private:
  const Json& _value;
  const Place& _place;
};

constexpr std::string_view DocumentKeys[] = {"format", "version", "references", "products", "datums", "features",
                                             "assemblies", "process", "flow", "items", "plantLibrary"};
constexpr std::string_view ReferenceKeys[] = {"id", "partNumber", "plmId"};
constexpr std::string_view ProductKeys[] = {"id", "name", "reference", "position", "plmId", "children"};
constexpr std::string_view DatumKeys[] = {"id", "kind", "name", "owner", "plmId"};
constexpr std::string_view FeatureContainerKeys[] = {"id", "plmId", "groups"};
constexpr std::string_view ProcessContainerKeys[] = {"id", "plmId", "activities"};
constexpr std::string_view PlantLibraryKeys[] = {"id", "plmId", "entries"};
constexpr std::string_view GroupKeys[] = {"id", "kind", "name", "graphic", "planType", "parts", "plmId", "children"};
constexpr std::string_view PointFastenerKeys[] = {"id", "kind", "name", "type", "category", "identifier", "version",
                                                  "color", "values", "manufacturingPosition", "graphic", "planType",
                                                  "parts", "externalAssignments", "plmId"};
constexpr std::string_view CurveFastenerKeys[] = {"id", "kind", "name", "type", "category", "identifier", "version",
                                                  "color", "points", "graphic", "planType", "parts",
                                                  "externalAssignments", "plmId"};
constexpr std::string_view LocatorKeys[] = {"id", "kind", "name", "description", "color", "position",
                                            "graphic", "planType", "parts", "plmId"};
constexpr std::string_view AssemblyKeys[] = {"id", "label", "parts", "subAssemblies", "plmId"};
constexpr std::string_view ActivityKeys[] = {"id", "type", "name", "cycleTime", "attributes", "automaticUpdate",
                                             "standsFor", "inputs", "outputs", "plmId", "children"};
constexpr std::string_view ItemKeys[] = {"activity", "item", "mode", "options"};

std::span<const std::string_view> KeysOf(F::Family family) {
  switch (family) {
    case F::Family::PointFastener: return PointFastenerKeys;
    case F::Family::CurveFastener: return CurveFastenerKeys;
    case F::Family::Locator: return LocatorKeys;
    default: return GroupKeys;
  }
}

class Reader {
 public:
  Reader() : _document(QIVDocument::NewEmpty()) {}

  QIVIDocument_var Run(const Json& root) {
    const Place top;
    Expect(root, root.is_object(), "an object", top);
    CheckFormat(root, top);
    const Fields document(root, top, DocumentKeys);
    ReadReferences(document);
    ReadSection(document, "products", [&](const Json& value, const Place& at) { ReadProduct(value, at, {}, 1); });
    ReadSection(document, "datums", [&](const Json& value, const Place& at) { ReadDatum(value, at); });
    ReadFeatures(document);
    ReadAssemblies(document);
    ReadProcess(document);
    ReadSection(document, "flow", [&](const Json& value, const Place& at) { ReadFlowLink(value, at); });
    ReadSection(document, "items", [&](const Json& value, const Place& at) { ReadItem(value, at); });
    ReadPlantLibrary(document);
    for (const auto& finish : _finishing) finish();
    return _document;
  }

  void Abandon() { _document->Close(); }

 private:
  void CheckFormat(const Json& root, const Place& top) {
    auto format = root.find("format");
    if (format == root.end()) Fail(top, "missing field \"format\": not a biwplan document");
    if (Text(*format, top.Member("format")) != F::Name)
      Fail(top.Member("format"), "not a biwplan document: the format is " + Quoted(format->get_ref<const std::string&>()));
    auto version = root.find("version");
    if (version == root.end()) Fail(top, "missing field \"version\"");
    const long long number = WholeNumber(*version, top.Member("version"), 1, LLONG_MAX, "a version number");
    if (number > F::Version)
      Fail(top.Member("version"), "version " + std::to_string(number) + " is newer than this program reads (" +
                                      std::to_string(F::Version) + ")");
  }

  template <class Read>
  void ReadSection(const Fields& document, const char* key, Read&& read) {
    const Json* section = document.Optional(key);
    if (!section) return;
    const Place at = document.At(key);
    Array(*section, at);
    for (std::size_t i = 0; i < section->size(); ++i) read((*section)[i], at.Element(i));
  }

  // Objects and links.

  QIVBaseUnknown_var Create(const Fields& fields, const char* kind, const char* subKind) {
    const Place at = fields.At("id");
    const QIVObjectId id = Id(fields.Required("id"), at);
    QIVBaseUnknown_var object;
    if (SUCCEEDED(_document->FindObject(id, object)))
      Fail(at, "id " + std::to_string(id) + " is used twice (already by " + WithArticle(KindOf(object)) + ")");
    if (FAILED(_document->CreateObject(kind, subKind, id, object)) || !object)
      Fail(fields.Here(), "cannot build " + WithArticle(*subKind ? subKind : kind));
    Texts(fields, object, F::PLMFields);
    return object;
  }

  static std::string KindOf(const QIVBaseUnknown_var& object) {
    QIVIModelObject_var model(object);
    return model ? model->GetKindName() : "object";
  }

  // Why `object` cannot stand where one of `kinds` is wanted (any kind
  // when none is given); empty when it can.
  static std::string Mismatch(QIVObjectId id, const QIVBaseUnknown_var& object,
                              std::initializer_list<const char*> kinds) {
    const std::string kind = KindOf(object);
    if (kinds.size() == 0 || std::find(kinds.begin(), kinds.end(), kind) != kinds.end()) return {};
    std::string wanted;
    for (const char* allowed : kinds) wanted += (wanted.empty() ? "" : " or ") + WithArticle(allowed);
    return "id " + std::to_string(id) + " is " + WithArticle(kind) + ", not " + wanted;
  }

  QIVBaseUnknown_var Resolve(const Json& value, const Place& place, std::initializer_list<const char*> kinds) {
    const QIVObjectId id = Id(value, place);
    QIVBaseUnknown_var object;
    if (FAILED(_document->FindObject(id, object))) Fail(place, "no object has id " + std::to_string(id));
    if (std::string mismatch = Mismatch(id, object, kinds); !mismatch.empty()) Fail(place, mismatch);
    return object;
  }

  // Distinct references, in order.
  QIVListValQIVBaseUnknown_var ResolveAll(const Json& value, const Place& place,
                                          std::initializer_list<const char*> kinds) {
    Array(value, place);
    QIVListValQIVBaseUnknown_var objects;
    std::unordered_set<QIVObjectId> seen;
    for (std::size_t i = 0; i < value.size(); ++i) {
      const Place at = place.Element(i);
      objects.Append(Resolve(value[i], at, kinds));
      if (!seen.insert(value[i].get<QIVObjectId>()).second)
        Fail(at, "id " + std::to_string(value[i].get<QIVObjectId>()) + " is listed twice");
    }
    return objects;
  }

  template <class I, std::size_t N>
  void Texts(const Fields& fields, const QIVBaseUnknown_var& object, const F::TextField<I> (&table)[N]) {
    QIVVar<I> holder(object);
    if (!holder) return;
    for (const F::TextField<I>& field : table) {
      const Json* value = fields.Optional(field.key);
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
    const Json* value = fields.Optional("color");
    QIVVar<I> holder(object);
    if (!value || !holder) return;
    const Place at = fields.At("color");
    const std::string& text = Text(*value, at);
    const bool hex = text.size() == 7 && text[0] == '#' &&
                     std::all_of(text.begin() + 1, text.end(), [](unsigned char c) { return std::isxdigit(c); });
    if (!hex) Fail(at, "expected a colour \"#RRGGBB\", found " + Quoted(text));
    (holder.get()->*field.set)(std::stol(text.substr(1), nullptr, 16));
  }

  // Sections.

  void ReadReferences(const Fields& document) {
    ReadSection(document, "references", [&](const Json& value, const Place& at) {
      const Fields fields(value, at, ReferenceKeys);
      const QIVBaseUnknown_var reference = Create(fields, "ProductReference", "");
      Texts(fields, reference, F::ReferenceFields);
    });
  }

  void ReadProduct(const Json& value, const Place& at, const QIVBaseUnknown_var& father, int depth) {
    const Fields fields(value, at, ProductKeys);
    if (depth > F::MaxDepth) Fail(at, "the tree is deeper than " + std::to_string(F::MaxDepth) + " levels");
    const QIVBaseUnknown_var object = Create(fields, "Product", "");
    QIVIProduct_var product(object);
    Texts(fields, object, F::ProductFields);
    if (const Json* reference = fields.Optional("reference"))
      product->SetReferenceProduct(Resolve(*reference, fields.At("reference"), {"ProductReference"}));
    if (const Json* position = fields.Optional("position")) {
      const std::vector<double> rows = Numbers(*position, fields.At("position"), 12);
      std::array<double, 12> matrix;
      std::copy(rows.begin(), rows.end(), matrix.begin());
      product->SetPosition(QIVMathTransformation(matrix));
    }
    const HRESULT placed = father ? QIVIProduct_var(father)->AddChild(object) : _document->AddRootProduct(object);
    if (FAILED(placed)) Fail(at, "the product cannot be placed here");
    if (const Json* children = fields.Optional("children")) {
      const Place childrenAt = fields.At("children");
      Array(*children, childrenAt);
      for (std::size_t i = 0; i < children->size(); ++i)
        ReadProduct((*children)[i], childrenAt.Element(i), object, depth + 1);
    }
  }

  void ReadDatum(const Json& value, const Place& at) {
    const Fields fields(value, at, DatumKeys);
    const std::string& word = Text(fields.Required("kind"), fields.At("kind"));
    const F::Kind* kind = F::FindKind(word);
    if (!kind || kind->family != F::Family::Datum) Fail(fields.At("kind"), "unknown datum kind " + Quoted(word));
    const QIVBaseUnknown_var datum = Create(fields, kind->modelKind, kind->subKind);
    Texts(fields, datum, F::DatumSimpleFields);
    Texts(fields, datum, F::DatumTargetFields);
    if (const Json* owner = fields.Optional("owner")) {
      const QIVBaseUnknown_var product = Resolve(*owner, fields.At("owner"), {"Product"});
      if (QIVITPSDatumSimple_var simple = datum) simple->SetOwnerProduct(product);
      if (QIVITPSDatumTarget_var target = datum) target->SetOwnerProduct(product);
    }
  }

  void ReadFeatures(const Fields& document) {
    const Place at = document.At("features");
    const Fields fields(document.Required("features"), at, FeatureContainerKeys);
    const QIVBaseUnknown_var container = Create(fields, "FeatureContainer", "");
    _relations = container;
    if (const Json* groups = fields.Optional("groups")) {
      const Place groupsAt = fields.At("groups");
      Array(*groups, groupsAt);
      for (std::size_t i = 0; i < groups->size(); ++i) ReadFeature((*groups)[i], groupsAt.Element(i), container, 1);
    }
  }

  // A feature under `father`: the feature container for a top group, else a
  // group.
  void ReadFeature(const Json& value, const Place& at, const QIVBaseUnknown_var& father, int depth) {
    Expect(value, value.is_object(), "an object", at);
    auto kindValue = value.find("kind");
    if (kindValue == value.end()) Fail(at, "missing field \"kind\"");
    const std::string& word = Text(*kindValue, at.Member("kind"));
    const F::Kind* kind = F::FindKind(word);
    if (!kind || kind->family == F::Family::Datum) Fail(at.Member("kind"), "unknown feature kind " + Quoted(word));
    const bool atTop = depth == 1;
    if (atTop != (kind->family == F::Family::TopGroup))
      Fail(at.Member("kind"), WithArticle(word) + (atTop ? " cannot stand among the top groups"
                                                          : " stands only among the top groups"));
    if (depth > F::MaxDepth) Fail(at, "the tree is deeper than " + std::to_string(F::MaxDepth) + " levels");

    const Fields fields(value, at, KeysOf(kind->family));
    const QIVBaseUnknown_var feature = Create(fields, kind->modelKind, kind->subKind);
    const HRESULT placed = atTop ? ZELIBIWFeatureContainer_var(father)->AddTopGroup(feature)
                                 : ZELIBIWFeatureChildMgmt_var(father)->AddChild(feature);
    if (FAILED(placed)) Fail(at, atTop ? "there is " + WithArticle(word) + " already" : "the feature cannot be placed here");
    Texts(fields, feature, F::AliasFields);
    Texts(fields, feature, F::FeatureFields);
    switch (kind->family) {
      case F::Family::PointFastener:
      case F::Family::CurveFastener:
        ReadFastener(fields, feature, kind->family);
        break;
      case F::Family::Locator:
        ReadLocator(fields, feature);
        break;
      default:
        break;
    }
    if (const Json* parts = fields.Optional("parts"))
      _relations->SetRelatedParts(feature, ResolveAll(*parts, fields.At("parts"), {"Product"}), true);
    if (const Json* children = fields.Optional("children")) {
      const Place childrenAt = fields.At("children");
      Array(*children, childrenAt);
      for (std::size_t i = 0; i < children->size(); ++i)
        ReadFeature((*children)[i], childrenAt.Element(i), feature, depth + 1);
    }
  }

  void ReadFastener(const Fields& fields, const QIVBaseUnknown_var& feature, F::Family family) {
    Texts(fields, feature, F::FastenerFields);
    Color(fields, feature, F::FastenerColor);
    if (family == F::Family::PointFastener) {
      ZELISpotWeld_var(feature)->SetValues(
          RawNumbers(fields.Required("values"), fields.At("values"), ZELISpotWeld::SettingCount));
      if (const Json* position = fields.Optional("manufacturingPosition"))
        ZELIBIWPointFastener_var(feature)->SetManufacturingPosition(
            RawNumbers(*position, fields.At("manufacturingPosition"), 6), false);
    } else {
      const Place at = fields.At("points");
      const Json& value = Array(fields.Required("points"), at);
      QIVListVal<QIVRawColldouble> points;
      points.Reserve(static_cast<int>(value.size()));
      for (std::size_t i = 0; i < value.size(); ++i) points.Append(RawNumbers(value[i], at.Element(i), 6));
      ZELIBIWCurveFastener_var(feature)->SetPoints(points);
    }
    if (const Json* assignments = fields.Optional("externalAssignments")) {
      const Place at = fields.At("externalAssignments");
      Array(*assignments, at);
      ZELIBIWFastener_var fastener(feature);
      for (std::size_t i = 0; i < assignments->size(); ++i)
        fastener->AddExternalAssignment(QIVUnicodeString(Text((*assignments)[i], at.Element(i))));
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

  // Assemblies first all exist, then link: a sub-assembly may come later in
  // the list than the assembly holding it.
  void ReadAssemblies(const Fields& document) {
    std::vector<QIVBaseUnknown_var> assemblies;
    ReadSection(document, "assemblies", [&](const Json& value, const Place& at) {
      const Fields fields(value, at, AssemblyKeys);
      assemblies.push_back(Create(fields, "MfgAssembly", ""));
      Texts(fields, assemblies.back(), F::AssemblyFields);
    });
    std::size_t next = 0;
    ReadSection(document, "assemblies", [&](const Json& value, const Place& at) {
      const Fields fields(value, at, AssemblyKeys);
      ZELIMfgAssembly_var assembly(assemblies[next++]);
      if (const Json* parts = fields.Optional("parts"))
        for (const QIVBaseUnknown_var& part : ResolveAll(*parts, fields.At("parts"), {"Product"}))
          assembly->AddPart(part);
      if (const Json* subAssemblies = fields.Optional("subAssemblies")) {
        const Place subAt = fields.At("subAssemblies");
        const QIVListValQIVBaseUnknown_var held = ResolveAll(*subAssemblies, subAt, {"MfgAssembly"});
        for (int i = 1; i <= held.Size(); ++i)
          if (FAILED(assembly->AddPart(held[i])))
            Fail(subAt.Element(i - 1), "an assembly cannot contain itself, even through its sub-assemblies");
      }
    });
  }

  void ReadProcess(const Fields& document) {
    const Place at = document.At("process");
    const Fields fields(document.Required("process"), at, ProcessContainerKeys);
    _processes = Create(fields, "ProcessContainer", "");
    if (const Json* activities = fields.Optional("activities")) {
      const Place activitiesAt = fields.At("activities");
      Array(*activities, activitiesAt);
      for (std::size_t i = 0; i < activities->size(); ++i)
        ReadActivity((*activities)[i], activitiesAt.Element(i), {}, 1);
    }
  }

  void ReadActivity(const Json& value, const Place& at, const QIVBaseUnknown_var& father, int depth) {
    const Fields fields(value, at, ActivityKeys);
    if (depth > F::MaxDepth) Fail(at, "the tree is deeper than " + std::to_string(F::MaxDepth) + " levels");
    const std::string& typeName = Text(fields.Required("type"), fields.At("type"));
    const QIVSPPActivityType* type = QIVSPPActivityType::Find(typeName);
    if (!type) Fail(fields.At("type"), "unknown activity type " + Quoted(typeName));
    if (type->IsAbstract())
      Fail(fields.At("type"), "the activity type " + Quoted(typeName) + " is abstract: no activity is of it alone");
    const QIVBaseUnknown_var object = Create(fields, "Activity", type->name);
    const HRESULT placed =
        father ? QIVISPPChildManagement_var(father)->AppendChild(object) : _processes->AddProcess(object);
    if (FAILED(placed)) Fail(at, "the activity cannot be placed here");
    Texts(fields, object, F::ActivityFields);
    QIVISPPActivity_var activity(object);

    if (const Json* attributes = fields.Optional("attributes")) {
      const Place attributesAt = fields.At("attributes");
      Expect(*attributes, attributes->is_object(), "an object", attributesAt);
      for (const auto& attribute : attributes->items()) {
        const Place attributeAt = attributesAt.Member(attribute.key());
        if (FAILED(activity->SetAttribute(QIVUnicodeString(attribute.key()), Number(attribute.value(), attributeAt))))
          Fail(attributeAt, WithArticle(typeName) + " has no attribute " + Quoted(attribute.key()));
      }
    }
    // Kept for the end, so that nothing done while reading recomputes them.
    if (const Json* cycleTime = fields.Optional("cycleTime")) {
      const double seconds = Number(*cycleTime, fields.At("cycleTime"));
      if (seconds < 0.0) Fail(fields.At("cycleTime"), "a cycle time is not negative");
      _finishing.push_back([activity, seconds] { activity->SetCycleTime(seconds); });
    }
    if (const Json* automatic = fields.Optional("automaticUpdate")) {
      const bool on = Flag(*automatic, fields.At("automaticUpdate"));
      ZELIUpdateManufAssly_var root(object);
      if (!root) Fail(fields.At("automaticUpdate"), "only a process root updates its assemblies automatically");
      _finishing.push_back([root, on] { root->SetAutomaticUpdate(on); });
    }
    if (const Json* standsFor = fields.Optional("standsFor")) ReadStandsFor(*standsFor, fields.At("standsFor"), object);
    ReadProductIOs(fields, "inputs", object);
    ReadProductIOs(fields, "outputs", object);
    if (const Json* children = fields.Optional("children")) {
      const Place childrenAt = fields.At("children");
      Array(*children, childrenAt);
      for (std::size_t i = 0; i < children->size(); ++i)
        ReadActivity((*children)[i], childrenAt.Element(i), object, depth + 1);
    }
  }

  // The activity stood for may come later in the tree.
  void ReadStandsFor(const Json& value, const Place& at, const QIVBaseUnknown_var& object) {
    QIVISPPDynamicActivity_var dynamic(object);
    if (!dynamic) Fail(at, "only a DynamicActivity stands for another activity");
    const QIVObjectId id = Id(value, at);
    _finishing.push_back([this, dynamic, id, pointer = at.Pointer()] {
      QIVBaseUnknown_var activity;
      if (FAILED(_document->FindObject(id, activity))) throw ReadFault{pointer, "no object has id " + std::to_string(id)};
      if (std::string mismatch = Mismatch(id, activity, {"Activity"}); !mismatch.empty())
        throw ReadFault{pointer, mismatch};
      if (FAILED(dynamic->SetActivity(activity))) throw ReadFault{pointer, "an activity cannot stand for itself"};
    });
  }

  void ReadProductIOs(const Fields& fields, const char* key, const QIVBaseUnknown_var& activity) {
    const Json* value = fields.Optional(key);
    if (!value) return;
    const Place at = fields.At(key);
    Array(*value, at);
    QIVISPPFlowMgt_var flow(activity);
    for (std::size_t i = 0; i < value->size(); ++i) {
      QIVBaseUnknown_var productIO;
      const bool input = std::string_view(key) == "inputs";
      if (input)
        flow->CreateProductInput(productIO);
      else
        flow->CreateProductOutput(productIO);
      if ((*value)[i].is_null()) continue;
      const QIVBaseUnknown_var product = Resolve((*value)[i], at.Element(i), {"Product", "MfgAssembly"});
      QIVISPPProductIO_var(productIO)->SetProduct(product);
    }
  }

  void ReadFlowLink(const Json& value, const Place& at) {
    Array(value, at);
    if (value.size() != 2) Fail(at, "expected a pair of activity ids, found " + std::to_string(value.size()) + " values");
    const QIVBaseUnknown_var from = Resolve(value[0], at.Element(0), {"Activity"});
    const QIVBaseUnknown_var to = Resolve(value[1], at.Element(1), {"Activity"});
    const HRESULT linked = QIVISPPFlowMgt_var(from)->AddNextActivity(to);
    if (linked == S_FALSE) Fail(at, "this flow link is listed twice");
    if (FAILED(linked)) Fail(at, "these activities cannot be linked");
  }

  void ReadItem(const Json& value, const Place& at) {
    const Fields fields(value, at, ItemKeys);
    const QIVBaseUnknown_var activity = Resolve(fields.Required("activity"), fields.At("activity"), {"Activity"});
    const QIVBaseUnknown_var item = Resolve(fields.Required("item"), fields.At("item"), {});
    const std::string& word = Text(fields.Required("mode"), fields.At("mode"));
    const auto mode = std::find_if(std::begin(F::ItemModes), std::end(F::ItemModes),
                                   [&](const F::ItemMode& known) { return word == known.word; });
    if (mode == std::end(F::ItemModes))
      Fail(fields.At("mode"), "unknown mode " + Quoted(word) + "; the modes are \"assigned\" and \"flow\"");
    QIVBaseUnknown_var link;
    const HRESULT added = QIVISPPItemMgt_var(activity)->AddItem(item, mode->mode, &link);
    if (added == S_FALSE) Fail(at, "this item is listed twice for its activity");
    if (FAILED(added)) Fail(fields.At("item"), WithArticle(KindOf(item)) + " cannot be an item of an activity");
    if (const Json* options = fields.Optional("options")) {
      const Place optionsAt = fields.At("options");
      Array(*options, optionsAt);
      if (options->size() != 2) Fail(optionsAt, "expected 2 option words, found " + std::to_string(options->size()));
      const int first = static_cast<int>(WholeNumber((*options)[0], optionsAt.Element(0), INT_MIN, INT_MAX, "a whole number"));
      const int second = static_cast<int>(WholeNumber((*options)[1], optionsAt.Element(1), INT_MIN, INT_MAX, "a whole number"));
      QIVISPPItemLink_var(link)->SetOptions(first, second);
    }
  }

  void ReadPlantLibrary(const Fields& document) {
    const Place at = document.At("plantLibrary");
    const Fields fields(document.Required("plantLibrary"), at, PlantLibraryKeys);
    const QIVBaseUnknown_var library = Create(fields, "PlantLibrary", "");
    if (const Json* entries = fields.Optional("entries"))
      for (const QIVBaseUnknown_var& entry : ResolveAll(*entries, fields.At("entries"), {}))
        QIVIPlantLibrary_var(library)->AddEntry(entry);
  }

  QIVIDocument_var _document;
  ZELIBIWFeaturePartRelations_var _relations;
  QIVISPPProcessContainer_var _processes;
  std::vector<std::function<void()>> _finishing;
};

// Where the parser stopped, from its message ("... at line 3, column 7: why").
QIVDocumentError ParseError(std::string_view text, const QIVUnicodeString& sourceName, const Json::parse_error& e) {
  int line = 0;
  int column = 0;
  QIVJsonLocator::LineAndColumn(text, e.byte > 0 ? e.byte - 1 : 0, line, column);
  std::string reason = e.what();
  const std::size_t colon = reason.find(": ");
  if (colon != std::string::npos) reason = reason.substr(colon + 2);
  return QIVDocumentError(sourceName, line, column, "", "not valid JSON: " + reason);
}

}  // namespace

HRESULT QIVDocumentReader::Read(std::string_view text, const QIVUnicodeString& sourceName,
                                QIVIDocument_var& document, QIVDocumentError& error) {
  document = nullptr;
  error = QIVDocumentError();
  Json root;
  try {
    root = Json::parse(text);
  } catch (const Json::parse_error& e) {
    error = ParseError(text, sourceName, e);
    return E_FAIL;
  } catch (const std::exception& e) {
    error = QIVDocumentError(sourceName, 0, 0, "", std::string("cannot read the text: ") + e.what());
    return E_FAIL;
  }
  Reader reader;
  try {
    document = reader.Run(root);
    return S_OK;
  } catch (const ReadFault& fault) {
    error = QIVDocumentError(sourceName, QIVJsonLocator::LineOfPointer(text, fault.pointer), 0, fault.pointer,
                             fault.reason);
  } catch (const std::exception& e) {
    error = QIVDocumentError(sourceName, 0, 0, "", std::string("cannot read the document: ") + e.what());
  }
  reader.Abandon();
  return E_FAIL;
}
