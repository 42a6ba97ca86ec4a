#include "QIVDocumentReader.h"

#include <simdjson.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>
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
#include "ZELBIWCurveFastener.h"
#include "ZELBIWFeatureGroup.h"
#include "ZELBIWLocator.h"
#include "ZELBIWPointFastener.h"
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
  double number = 0.0;
  if (value.get_double().get(number) != simdjson::SUCCESS) Expect(value, false, "a number", place);
  return number;
}

bool Flag(const Value& value, const Place& place) {
  Expect(value, value.is_bool(), "true or false", place);
  return value.get_bool().value_unsafe();
}

long long WholeNumber(const Value& value, const Place& place, long long low, long long high,
                      const char* wanted) {
  bool whole = false;
  long long number = 0;
  if (value.type() == ValueType::INT64) {
    number = value.get_int64().value_unsafe();
    whole = number >= low && number <= high;
  } else if (value.type() == ValueType::UINT64) {
    const unsigned long long big = value.get_uint64().value_unsafe();
    whole = big <= static_cast<unsigned long long>(high) &&
            (low <= 0 || big >= static_cast<unsigned long long>(low));
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

template <std::size_t N>
void NumbersInto(const Value& value, const Place& place, std::array<double, N>& numbers) {
  const simdjson::dom::array values = Array(value, place);
  const std::size_t size = values.size();
  if (size != N) Fail(place, "expected " + std::to_string(N) + " numbers, found " + std::to_string(size));
  std::size_t i = 0;
  for (const Value element : values) {
    numbers[i] = Number(element, place.Element(i));
    ++i;
  }
}

QIVRawColldouble RawNumbers(const Value& value, const Place& place, std::size_t count) {
  QIVRawColldouble numbers;
  numbers.Items() = Numbers(value, place, count);
  return numbers;
}

// Every member key of the format, numbered so that an object's members go
// into a table by key and a kind's keys are a set of bits.
constexpr std::string_view MemberKeys[] = {"format",
                                           "version",
                                           "references",
                                           "products",
                                           "datums",
                                           "features",
                                           "assemblies",
                                           "process",
                                           "flow",
                                           "items",
                                           "plantLibrary",
                                           "id",
                                           "partNumber",
                                           "plmId",
                                           "name",
                                           "plantType",
                                           "reference",
                                           "position",
                                           "children",
                                           "kind",
                                           "owner",
                                           "groups",
                                           "partialReadOnly",
                                           "activities",
                                           "entries",
                                           "graphic",
                                           "planType",
                                           "parts",
                                           "type",
                                           "category",
                                           "identifier",
                                           "color",
                                           "values",
                                           "manufacturingPosition",
                                           "externalAssignments",
                                           "points",
                                           "description",
                                           "label",
                                           "subAssemblies",
                                           "cycleTime",
                                           "attributes",
                                           "automaticUpdate",
                                           "standsFor",
                                           "inputs",
                                           "outputs",
                                           "activity",
                                           "item",
                                           "mode",
                                           "options"};
constexpr int KeyCount = static_cast<int>(std::size(MemberKeys));
constexpr int NoKey = -1;
using KeySet = std::uint64_t;
static_assert(KeyCount <= 64, "a key set is one 64-bit word");

// Keys are found through an open-addressed table of their numbers: a hash
// of length, first and last byte, then one comparison.
constexpr std::size_t KeyTableSize = 128;
constexpr std::size_t KeyHash(std::string_view key) {
  return (key.size() * 31 + static_cast<unsigned char>(key.front()) * 7 +
          static_cast<unsigned char>(key.back())) %
         KeyTableSize;
}
constexpr std::array<std::int8_t, KeyTableSize> KeyTable = [] {
  std::array<std::int8_t, KeyTableSize> table{};
  table.fill(NoKey);
  for (int key = 0; key < KeyCount; ++key) {
    std::size_t slot = KeyHash(MemberKeys[key]);
    while (table[slot] != NoKey) slot = (slot + 1) % KeyTableSize;
    table[slot] = static_cast<std::int8_t>(key);
  }
  return table;
}();

// Keys are short: a loop compares them faster than a call to memcmp.
constexpr bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

constexpr int KeyNumber(std::string_view key) {
  if (key.empty()) return NoKey;
  for (std::size_t slot = KeyHash(key);; slot = (slot + 1) % KeyTableSize) {
    const int found = KeyTable[slot];
    if (found == NoKey || SameText(MemberKeys[found], key)) return found;
  }
}

constexpr KeySet KeysIn(std::initializer_list<std::string_view> keys) {
  KeySet set = 0;
  for (std::string_view key : keys) set |= KeySet{1} << KeyNumber(key);
  return set;
}

// A member key of the format with its number, found while compiling for
// the keys the reader names (a key it does not know does not compile).
class Key {
 public:
  consteval Key(const char* name) : _number(KeyNumber(name)), _name(name) {
    if (_number == NoKey) throw "not a member key of the format";
  }
  // The key of a number from KeyNumber.
  static Key Numbered(int number) { return Key(number, MemberKeys[number]); }

  int Number() const { return _number; }
  std::string_view Name() const { return _name; }

 private:
  constexpr Key(int number, std::string_view name) : _number(number), _name(name) {}

  int _number;
  std::string_view _name;
};

// The members of an object by key, gathered in one walk; the first of
// repeated members counts. Allow checks them against those a kind may have.
// The key numbers of a text field table, found while compiling.
template <const auto& Table>
constexpr auto TableKeys = [] {
  std::array<int, std::size(Table)> numbers{};
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    numbers[i] = KeyNumber(Table[i].key);
    if (numbers[i] == NoKey) throw "not a member key of the format";
  }
  return numbers;
}();

template <class I, std::size_t N>
I* InterfaceOf(const F::TextField<I> (&)[N]);
template <const auto& Table>
using TableInterface = std::remove_pointer_t<decltype(InterfaceOf(Table))>;

class Fields {
 public:
  Fields(const Value& value, const Place& place) : _place(place) {
    Expect(value, value.is_object(), "an object", place);
    _value = value.get_object().value_unsafe();
    for (const simdjson::dom::key_value_pair member : _value) {
      const int key = KeyNumber(member.key);
      if (key == NoKey) {
        _unknown = true;
        continue;
      }
      const KeySet bit = KeySet{1} << key;
      if (_present & bit) continue;
      _present |= bit;
      _members[key].value = member.value;
    }
  }
  Fields(const Value& value, const Place& place, KeySet allowed) : Fields(value, place) { Allow(allowed); }

  // Fails on the first member, in the text's order, that is not one of
  // `allowed`.
  void Allow(KeySet allowed) const {
    if (!_unknown && (_present & ~allowed) == 0) return;
    for (const simdjson::dom::key_value_pair member : _value) {
      const int key = KeyNumber(member.key);
      if (key == NoKey || !(allowed & (KeySet{1} << key)))
        Fail(_place.Member(member.key), "unknown field " + Quoted(member.key));
    }
  }

  std::optional<Value> Optional(Key key) const {
    const int number = key.Number();
    if (number == NoKey || !(_present & (KeySet{1} << number))) return std::nullopt;
    return _members[number].value;
  }
  Value Required(Key key) const {
    const std::optional<Value> found = Optional(key);
    if (!found) Fail(_place, "missing field " + Quoted(key.Name()));
    return *found;
  }
  Place At(Key key) const { return _place.Member(key.Name()); }
  const Place& Here() const { return _place; }

 private:
  // Left unset: only the members of `_present` are read.
  union Member {
    Member() {}
    Value value;
  };

  simdjson::dom::object _value;
  KeySet _present = 0;
  bool _unknown = false;
  std::array<Member, KeyCount> _members;
  const Place& _place;
};

constexpr KeySet DocumentKeys = KeysIn({"format", "version", "references", "products", "datums", "features",
                                        "assemblies", "process", "flow", "items", "plantLibrary"});
constexpr KeySet ReferenceKeys = KeysIn({"id", "partNumber", "plmId"});
constexpr KeySet ProductKeys =
    KeysIn({"id", "name", "plantType", "reference", "position", "plmId", "children"});
constexpr KeySet DatumKeys = KeysIn({"id", "kind", "name", "owner", "plmId"});
constexpr KeySet FeatureContainerKeys = KeysIn({"id", "plmId", "groups"});
constexpr KeySet ProcessContainerKeys = KeysIn({"id", "plmId", "partialReadOnly", "activities"});
constexpr KeySet PlantLibraryKeys = KeysIn({"id", "plmId", "entries"});
constexpr KeySet GroupKeys =
    KeysIn({"id", "kind", "name", "graphic", "planType", "parts", "plmId", "children"});
constexpr KeySet PointFastenerKeys =
    KeysIn({"id", "kind", "name", "type", "category", "identifier", "version", "color", "values",
            "manufacturingPosition", "graphic", "planType", "parts", "externalAssignments", "plmId"});
constexpr KeySet CurveFastenerKeys =
    KeysIn({"id", "kind", "name", "type", "category", "identifier", "version", "color", "points", "graphic",
            "planType", "parts", "externalAssignments", "plmId"});
constexpr KeySet LocatorKeys = KeysIn(
    {"id", "kind", "name", "description", "color", "position", "graphic", "planType", "parts", "plmId"});
constexpr KeySet AssemblyKeys = KeysIn({"id", "label", "parts", "subAssemblies", "plmId"});
constexpr KeySet ActivityKeys = KeysIn({"id", "type", "name", "cycleTime", "attributes", "automaticUpdate",
                                        "standsFor", "inputs", "outputs", "plmId", "children"});
constexpr KeySet ItemKeys = KeysIn({"activity", "item", "mode", "options"});

KeySet KeysOf(F::Family family) {
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
  Reader() : _model(QIVMake<QIVDocument>()), _document(_model) {}

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
  void ReadSection(const Fields& document, Key key, Read&& read) {
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
    if (_pass == Pass::Link) {
      QIVBaseUnknown_var object;
      _document->FindObject(Id(fields.Required("id"), fields.At("id")), object);
      return object;
    }
    const QIVObjectId id = NewId(fields);
    QIVBaseUnknown_var object;
    if (FAILED(_document->CreateObject(kind, subKind, id, object)) || !object)
      Fail(fields.Here(), "cannot build " + WithArticle(*subKind ? subKind : kind));
    Texts<F::PLMFields>(fields, object);
    return object;
  }

  // The entry's id, which no object may have yet.
  QIVObjectId NewId(const Fields& fields) {
    const Place at = fields.At("id");
    const QIVObjectId id = Id(fields.Required("id"), at);
    if (const QIVModelObject* taken = _model->ObjectWithId(id))
      Fail(at, "id " + std::to_string(id) + " is used twice (already by " +
                   WithArticle(taken->GetKindName()) + ")");
    return id;
  }

  // The first pass's products of a feature: false, without a fault, for
  // anything ResolveAll would refuse, which the second pass then reports.
  bool TryResolveParts(const Value& value, std::vector<QIVModelObject*>& parts) {
    simdjson::dom::array values;
    if (value.get_array().get(values) != simdjson::SUCCESS) return false;
    for (const Value element : values) {
      if (element.type() != ValueType::INT64) return false;
      QIVModelObject* part = _model->ObjectWithId(element.get_int64().value_unsafe());
      if (!part || std::strcmp(part->GetKindName(), "Product") != 0) return false;
      parts.push_back(part);
    }
    std::vector<QIVModelObject*> distinct = parts;
    std::sort(distinct.begin(), distinct.end());
    return std::adjacent_find(distinct.begin(), distinct.end()) == distinct.end();
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
    const QIVObjectId id = value.type() == ValueType::INT64
                               ? value.get_int64().value_unsafe()
                               : static_cast<QIVObjectId>(value.get_uint64().value_unsafe());
    if (id < 1 || FAILED(_document->FindObject(id, object)) || KindOf(object) != kind) return false;
    return true;
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

  template <const auto& Table>
  void Texts(const Fields& fields, const QIVBaseUnknown_var& object) {
    // Most entries leave most optional texts out: those need no interface.
    bool any = false;
    for (std::size_t i = 0; i < std::size(Table) && !any; ++i)
      any = Table[i].always || fields.Optional(Key::Numbered(TableKeys<Table>[i]));
    if (!any) return;
    if (QIVVar<TableInterface<Table>> holder = object) SetTexts<Table>(fields, holder.get());
  }

  // The texts of a field table, each checked in the table's order.
  template <const auto& Table>
  void SetTexts(const Fields& fields, TableInterface<Table>* holder) {
    for (std::size_t i = 0; i < std::size(Table); ++i) {
      const auto& field = Table[i];
      const Key key = Key::Numbered(TableKeys<Table>[i]);
      const std::optional<Value> value = fields.Optional(key);
      if (!value) {
        if (field.always) Fail(fields.Here(), "missing field " + Quoted(field.key));
        continue;
      }
      const Place at = fields.At(key);
      if (FAILED((holder->*field.set)(QIVUnicodeString(Text(*value, at)))))
        Fail(at, field.refusal ? field.refusal : "the value is refused");
    }
  }

  template <class I>
  void Color(const Fields& fields, I* holder, const F::ColorField<I>& field) {
    const std::optional<Value> value = fields.Optional("color");
    if (!value) return;
    const Place at = fields.At("color");
    const std::string_view text = Text(*value, at);
    const bool hex =
        text.size() == 7 && text[0] == '#' &&
        std::all_of(text.begin() + 1, text.end(), [](unsigned char c) { return std::isxdigit(c); });
    if (!hex) Fail(at, "expected a colour \"#RRGGBB\", found " + Quoted(text));
    (holder->*field.set)(std::stol(std::string(text.substr(1)), nullptr, 16));
  }

  // Sections.

  void ReadReference(const Value& value, const Place& at) {
    const Fields fields(value, at, ReferenceKeys);
    const QIVBaseUnknown_var reference = Entry(fields, "ProductReference", "");
    if (_pass == Pass::Build) Texts<F::ReferenceFields>(fields, reference);
  }

  void ReadProduct(const Value& value, const Place& at, const QIVBaseUnknown_var& father, int depth) {
    const Fields fields(value, at, ProductKeys);
    const QIVBaseUnknown_var object = Entry(fields, "Product", "");
    QIVIProduct_var product(object);
    if (_pass == Pass::Build) {
      Texts<F::ProductFields>(fields, object);
      Texts<F::PlantObjectFields>(fields, object);
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
      LinkEarly(TryResolve(*reference, "ProductReference", found),
                [&] { product->SetReferenceProduct(found); });
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
      Texts<F::DatumSimpleFields>(fields, datum);
      Texts<F::DatumTargetFields>(fields, datum);
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
    const Fields fields(value, at);
    const std::string_view word = Text(fields.Required("kind"), at.Member("kind"));
    const F::Kind* kind = F::FindKind(word);
    if (!kind || kind->family == F::Family::Datum)
      Fail(at.Member("kind"), "unknown feature kind " + Quoted(word));
    const bool atTop = depth == 1;
    if (atTop != (kind->family == F::Family::TopGroup))
      Fail(at.Member("kind"), WithArticle(word) + (atTop ? " cannot stand among the top groups"
                                                         : " stands only among the top groups"));

    fields.Allow(KeysOf(kind->family));
    QIVBaseUnknown_var feature;
    ZELBIWFeature* made = nullptr;
    if (_pass == Pass::Build && !atTop) {
      made = BuildFeature(fields, *kind, father);
      feature = QIVModelObject::Handle(made);
    } else {
      feature = Entry(fields, kind->modelKind, kind->subKind);
      made = QIVModelObject::As<ZELBIWFeature>(feature);
      if (_pass == Pass::Build) {
        if (FAILED(ZELIBIWFeatureContainer_var(father)->AddTopGroup(feature)))
          Fail(at, "there is " + WithArticle(word) + " already");
        Texts<F::AliasFields>(fields, feature);
        Texts<F::FeatureFields>(fields, feature);
      }
    }
    if (const std::optional<Value> parts = fields.Optional("parts")) {
      std::vector<QIVModelObject*> found;
      LinkEarly(TryResolveParts(*parts, found), [&] { made->RelateParts(found, true); });
      if (_pass == Pass::Link)
        _relations->SetRelatedParts(feature, ResolveAll(*parts, fields.At("parts"), {"Product"}), true);
    }
    ReadChildren(fields, depth, [&](const Value& child, const Place& childAt) {
      ReadFeature(child, childAt, feature, depth + 1);
    });
  }

  // A feature below a group, built in one go: made, given every value it
  // holds, and only then filed in the document and placed in its group
  // (which cannot refuse a new feature of a kind it may hold), so that its
  // name goes into their indexes once and no interface is asked for.
  ZELBIWFeature* BuildFeature(const Fields& fields, const F::Kind& kind, const QIVBaseUnknown_var& father) {
    const QIVObjectId id = NewId(fields);
    const QIVVar<QIVModelObject> object = QIVDocument::MakeObject(kind.modelKind, kind.subKind);
    auto* feature = QIVCastCache::Cast<ZELBIWFeature>(object.get());
    SetTexts<F::PLMFields>(fields, feature);
    SetTexts<F::AliasFields>(fields, feature);
    SetTexts<F::FeatureFields>(fields, feature);
    if (kind.family == F::Family::PointFastener || kind.family == F::Family::CurveFastener)
      ReadFastener(fields, *static_cast<ZELBIWFastener*>(feature), kind.family);
    if (kind.family == F::Family::Locator) ReadLocator(fields, *static_cast<ZELBIWLocator*>(feature));
    _model->Register(feature, id);
    QIVCastCache::Cast<ZELBIWFeatureGroup>(father.Identity())->AttachChild(feature);
    return feature;
  }

  void ReadFastener(const Fields& fields, ZELBIWFastener& fastener, F::Family family) {
    SetTexts<F::FastenerFields>(fields, &fastener);
    Color<ZELIBIWFastener>(fields, &fastener, F::FastenerColor);
    if (family == F::Family::PointFastener) {
      auto& point = static_cast<ZELBIWPointFastener&>(fastener);
      std::array<double, ZELISpotWeld::SettingCount> values;
      NumbersInto(fields.Required("values"), fields.At("values"), values);
      for (std::size_t i = 0; i < values.size(); ++i) point.SetValue(static_cast<int>(i) + 1, values[i]);
      if (const std::optional<Value> position = fields.Optional("manufacturingPosition"))
        point.SetManufacturingPosition(RawNumbers(*position, fields.At("manufacturingPosition"), 6), false);
    } else {
      QIVListVal<QIVRawColldouble> points;
      ReadArray(
          fields.Required("points"), fields.At("points"),
          [&](const Value& point, const Place& pointAt) { points.Append(RawNumbers(point, pointAt, 6)); });
      static_cast<ZELBIWCurveFastener&>(fastener).SetPoints(points);
    }
    if (const std::optional<Value> assignments = fields.Optional("externalAssignments"))
      ReadArray(*assignments, fields.At("externalAssignments"),
                [&](const Value& assignment, const Place& entryAt) {
                  fastener.AddExternalAssignment(QIVUnicodeString(Text(assignment, entryAt)));
                });
  }

  void ReadLocator(const Fields& fields, ZELBIWLocator& locator) {
    const QIVRawColldouble position = RawNumbers(fields.Required("position"), fields.At("position"), 6);
    if (locator.IsClamping()) {
      SetTexts<F::ClampingPointFields>(fields, &locator);
      Color<ZELIBIWClampingPoint>(fields, &locator, F::ClampingPointColor);
    } else {
      SetTexts<F::LocatingPointFields>(fields, &locator);
      Color<ZELIBIWLocatingPoint>(fields, &locator, F::LocatingPointColor);
    }
    locator.SetPosition(position);
  }

  void ReadAssembly(const Value& value, const Place& at) {
    const Fields fields(value, at, AssemblyKeys);
    const QIVBaseUnknown_var object = Entry(fields, "MfgAssembly", "");
    if (_pass == Pass::Build) {
      Texts<F::AssemblyFields>(fields, object);
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
    if (const std::optional<Value> partial = fields.Optional("partialReadOnly");
        partial && _pass == Pass::Build)
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
    Texts<F::ActivityFields>(fields, object);
    QIVISPPActivity_var activity(object);
    if (const std::optional<Value> attributes = fields.Optional("attributes")) {
      const Place attributesAt = fields.At("attributes");
      simdjson::dom::object members;
      Expect(*attributes, attributes->get_object().get(members) == simdjson::SUCCESS, "an object",
             attributesAt);
      for (const simdjson::dom::key_value_pair attribute : members) {
        const Place attributeAt = attributesAt.Member(attribute.key);
        if (FAILED(activity->SetAttribute(QIVUnicodeString(attribute.key),
                                          Number(attribute.value, attributeAt))))
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
      const Key key = input ? Key("inputs") : Key("outputs");
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

  QIVVar<QIVDocument> _model;
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
QIVDocumentError NotJson(std::string_view text, const QIVUnicodeString& sourceName,
                         simdjson::error_code fault) {
  try {
    Json ignored;
    PlacedParser parser(ignored);
    if (!Json::sax_parse(text, &parser)) return parser.Error(text, sourceName);
  } catch (const std::exception& e) {
    return QIVDocumentError(sourceName, 0, 0, "", std::string("cannot read the text: ") + e.what());
  }
  return QIVDocumentError(sourceName, 0, 0, "",
                          std::string("not valid JSON: ") + simdjson::error_message(fault));
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
    if (end - i >= 20 &&
        (end == text.size() || std::string_view(".eE").find(text[end]) == std::string_view::npos))
      out += ".0";
    i = end;
  }
  return out;
}
}  // namespace

static_assert(QIVDocumentReader::PaddingNeeded >= simdjson::SIMDJSON_PADDING);

HRESULT QIVDocumentReader::Read(const std::string& text, const QIVUnicodeString& sourceName,
                                QIVIDocument_var& document, QIVDocumentError& error) {
  return ReadText(text, text.capacity() - text.size() >= PaddingNeeded, nullptr, nullptr, sourceName,
                  document, error);
}

HRESULT QIVDocumentReader::Read(std::string_view text, const QIVUnicodeString& sourceName,
                                QIVIDocument_var& document, QIVDocumentError& error) {
  return ReadText(text, false, nullptr, nullptr, sourceName, document, error);
}

HRESULT QIVDocumentReader::Read(std::string&& text, const TextSource& again,
                                const QIVUnicodeString& sourceName, QIVIDocument_var& document,
                                QIVDocumentError& error) {
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
      fault = parser
                  .parse_into_document(parsed, reinterpret_cast<const std::uint8_t*>(widened.data()),
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
    const std::string_view placed =
        owned ? ((*again)(reread) ? std::string_view(reread) : std::string_view()) : text;
    error = QIVDocumentError(sourceName,
                             placed.empty() ? 0 : QIVJsonLocator::LineOfPointer(placed, fault.pointer), 0,
                             fault.pointer, fault.reason);
  } catch (const std::exception& e) {
    error = QIVDocumentError(sourceName, 0, 0, "", std::string("cannot read the document: ") + e.what());
  }
  reader.Abandon();
  return E_FAIL;
}
