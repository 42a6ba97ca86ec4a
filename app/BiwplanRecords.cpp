#include "BiwplanRecords.h"


#include "BiwplanCli.h"
#include "BiwplanFeatureImport.h"
#include "QIVIModelObject.h"
#include "QIVIPLMObject.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItem.h"
#include "QIVISPPItemMgt.h"
#include "QIVISPPProductIO.h"
#include "QIVISpecObject.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWCurveFastener.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureGroup.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWItemInfo.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIBIWPointFastener.h"
#include "ZELIMfgAssembly.h"
#include "ZELISpotWeld.h"

namespace {

using Json = BiwplanRecords::Json;

constexpr const char* kKindWords[] = {"products", "activities", "fasteners", "joints", "features"};
constexpr const char* kPositionKeys[] = {"x", "y", "z", "roll", "pitch", "yaw"};

Json TextOrNull(const std::string& text) { return text.empty() ? Json() : Json(text); }

// x, y, z, roll, pitch, yaw; null unless six numbers are given.
template <class Numbers>
Json Position(const Numbers& numbers) {
  if (numbers.size() != 6) return Json();
  Json position = Json::object();
  auto value = numbers.begin();
  for (const char* key : kPositionKeys) position[key] = *value++;
  return position;
}

Json Position(const QIVRawColldouble& numbers) {
  return Position(std::vector<double>(numbers.begin(), numbers.end()));
}

Json Position(const QIVMathTransformation& placement) { return Position(placement.ToYPR()); }

Json Numbers(const QIVRawColldouble& numbers) { return Json(std::vector<double>(numbers.begin(), numbers.end())); }

// A display colour (0xRRGGBB as a number); null for the default.
Json Color(long color) { return color == -1 ? Json() : Json(color); }

std::string Name(const QIVBaseUnknown_var& object) {
  if (QIVITPSDatumSimple_var datum = object) return datum->GetName().str();
  if (QIVITPSDatumTarget_var target = object) return target->GetName().str();
  if (ZELIMfgAssembly_var assembly = object) return assembly->GetLabel().str();
  return BiwplanFeatureName(object);
}

Json PlmId(const QIVBaseUnknown_var& object) {
  QIVIPLMObject_var plm = object;
  return plm ? TextOrNull(plm->GetPLMID().str()) : Json();
}

QIVBaseUnknown_var SpecFather(const QIVBaseUnknown_var& object) {
  QIVBaseUnknown_var father;
  QIVISpecObject_var placed = object;
  if (!placed || FAILED(placed->GetSpecFather(father))) return QIVBaseUnknown_var();
  return father;
}

Json Names(const QIVListValQIVBaseUnknown_var& objects) {
  Json names = Json::array();
  for (const QIVBaseUnknown_var& object : objects) names.push_back(Name(object));
  return names;
}

// The text of a cell: numbers rounded to what a person reads (at most three
// decimals, no trailing zeros) or at full precision, lists of names joined
// (or counted, for a person, when long).
std::string CellText(const Json& value, bool forPerson) {
  if (value.is_null()) return std::string();
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number_float()) {
    const double number = value.get<double>();
    if (!forPerson) return value.dump();
    std::string text = QIVUnicodeString::Format("%.3f", number).str();
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text == "-0" ? "0" : text;
  }
  if (value.is_array()) {
    if (forPerson && value.size() > 3) return std::to_string(value.size()) + " items";
    std::string joined;
    for (const Json& entry : value) joined += (joined.empty() ? "" : "; ") + CellText(entry, forPerson);
    return joined;
  }
  if (value.is_object()) {
    std::string joined;
    for (const auto& [key, entry] : value.items())
      joined += (joined.empty() ? "" : " ") + key + "=" + CellText(entry, forPerson);
    return joined;
  }
  return value.dump();
}

// A column of a listing's table: its header and where its value stands in
// the record (a JSON pointer); `table` columns are also shown to a person.
struct Column {
  const char* header;
  const char* pointer;
  bool table;
};

const std::vector<Column>& Columns(BiwplanRecords::Kind kind) {
  static const std::vector<Column> columns[] = {
      {{"path", "/path", true},
       {"instance", "/instance", true},
       {"reference", "/reference", true},
       {"x", "/absolutePosition/x", true},
       {"y", "/absolutePosition/y", true},
       {"z", "/absolutePosition/z", true},
       {"roll", "/absolutePosition/roll", false},
       {"pitch", "/absolutePosition/pitch", false},
       {"yaw", "/absolutePosition/yaw", false},
       {"children", "/children", true}},
      {{"path", "/path", true},
       {"type", "/type", true},
       {"cycle time", "/cycleTime", true},
       {"products", "/products", true},
       {"items", "/items", true},
       {"output assembly", "/outputAssembly/label", false},
       {"next", "/next", true},
       {"previous", "/previous", false},
       {"attributes", "/attributes", true}},
      {{"name", "/name", true},
       {"geometry", "/geometry", true},
       {"type", "/type", true},
       {"category", "/category", true},
       {"identifier", "/identifier", true},
       {"plm id", "/plmId", false},
       {"joint", "/joint", true},
       {"joint body", "/jointBody", true},
       {"parts", "/parts", false},
       {"x", "/designPosition/x", true},
       {"y", "/designPosition/y", true},
       {"z", "/designPosition/z", true},
       {"roll", "/designPosition/roll", false},
       {"pitch", "/designPosition/pitch", false},
       {"yaw", "/designPosition/yaw", false},
       {"assigned to", "/assignedTo", true},
       {"color", "/color", true},
       {"graphic", "/representation", true}},
      {{"joint", "/name", true},
       {"parts", "/parts", true},
       {"joint bodies", "/jointBodies", true},
       {"fasteners", "/fasteners", true}},
      {{"name", "/name", true},
       {"kind", "/kind", true},
       {"part", "/parts", true},
       {"x", "/position/x", true},
       {"y", "/position/y", true},
       {"z", "/position/z", true},
       {"text", "/text", true},
       {"assigned to", "/assignedTo", true},
       {"color", "/color", true},
       {"graphic", "/representation", true}},
  };
  return columns[kind];
}

}  // namespace

BiwplanRecords::BiwplanRecords(QIVIDocument_var document) : _document(std::move(document)) {
  _document->GetFeatureContainer(_relations);
}

const char* BiwplanRecords::KindWord(Kind kind) { return kKindWords[kind]; }

bool BiwplanRecords::ParseKind(const std::string& word, Kind& kind) {
  for (Kind candidate : kKinds)
    if (word == kKindWords[candidate]) {
      kind = candidate;
      return true;
    }
  return false;
}

Json BiwplanRecords::ProductPaths(const QIVListValQIVBaseUnknown_var& products) const {
  Json paths = Json::array();
  for (const QIVBaseUnknown_var& product : products) paths.push_back(BiwplanProductPath(_document, product));
  return paths;
}

Json BiwplanRecords::ActivityPaths(const QIVListValQIVBaseUnknown_var& activities) const {
  Json paths = Json::array();
  for (const QIVBaseUnknown_var& activity : activities) paths.push_back(BiwplanActivityPath(_document, activity));
  return paths;
}

Json BiwplanRecords::RelatedParts(const QIVBaseUnknown_var& feature) const {
  QIVListValQIVBaseUnknown_var parts;
  if (ZELIBIWFeaturePartRelations_var relations = _relations) relations->GetRelatedParts(feature, parts);
  return ProductPaths(parts);
}

Json BiwplanRecords::Product(const QIVBaseUnknown_var& object) const {
  QIVIProduct_var product = object;
  QIVMathTransformation relative, absolute;
  const bool placed = SUCCEEDED(product->GetPosition(relative));
  const bool placedInWorld = SUCCEEDED(product->GetAbsolutePosition(absolute));
  return Json{{"path", BiwplanProductPath(_document, object)},
              {"instance", product->GetPrdInstanceName().str()},
              {"reference", TextOrNull(product->GetPartNumber().str())},
              {"children", product->GetChildrenCount()},
              {"position", placed ? Position(relative) : Json()},
              {"absolutePosition", placedInWorld ? Position(absolute) : Json()}};
}

Json BiwplanRecords::Activity(const QIVBaseUnknown_var& object) const {
  QIVISPPActivity_var activity = object;
  double cycleTime = 0.0;
  const bool timed = SUCCEEDED(activity->GetCycleTime(cycleTime));
  Json attributes = Json::object();
  QIVListValQIVUnicodeString names;
  activity->GetAttributeNames(names);
  for (const QIVUnicodeString& name : names) {
    double value = 0.0;
    attributes[name.str()] = SUCCEEDED(activity->GetAttribute(name, value)) ? Json(value) : Json();
  }
  Json products = Json::array(), items = Json::array();
  if (QIVISPPItemMgt_var itemMgt = object) {
    products = ProductPaths(itemMgt->GetItems("Product", QIVSPPItemAssigned));
    for (const QIVBaseUnknown_var& item : itemMgt->GetItems("Item", QIVSPPItemAssigned))
      if (!QIVIProduct_var(item) && !ZELIMfgAssembly_var(item)) items.push_back(Name(item));
  }
  Json output;
  QIVListValQIVBaseUnknown_var outputs;
  if (ZELIBIWItemInfo_var info = object) info->GetProductIOs(outputs, QIVSPPProductOutput);
  for (const QIVBaseUnknown_var& io : outputs) {
    QIVBaseUnknown_var product;
    if (FAILED(QIVISPPProductIO_var(io)->GetProduct(product))) continue;
    ZELIMfgAssembly_var assembly = product;
    if (!assembly) continue;
    QIVListValQIVBaseUnknown_var parts, incoming;
    assembly->GetParts(parts);
    assembly->GetSubAssemblies(incoming);
    output = Json{{"label", assembly->GetLabel().str()}, {"parts", ProductPaths(parts)}, {"incoming", Names(incoming)}};
    break;
  }
  QIVISPPFlowMgt_var flow = object;
  return Json{{"path", BiwplanActivityPath(_document, object)},
              {"name", activity->GetName().str()},
              {"type", activity->GetActivityType().str()},
              {"cycleTime", timed ? Json(cycleTime) : Json()},
              {"attributes", attributes},
              {"products", products},
              {"items", items},
              {"outputAssembly", output},
              {"next", flow ? ActivityPaths(flow->GetNextActivities("Activity")) : Json::array()},
              {"previous", flow ? ActivityPaths(flow->GetPreviousActivities("Activity")) : Json::array()}};
}

Json BiwplanRecords::Fastener(const QIVBaseUnknown_var& object) const {
  ZELIBIWFastener_var fastener = object;
  const QIVBaseUnknown_var jointBody = SpecFather(object);
  const QIVBaseUnknown_var joint = jointBody ? SpecFather(jointBody) : QIVBaseUnknown_var();
  Json values, points, design, manufacturing;
  if (ZELISpotWeld_var weld = object) {
    QIVRawColldouble numbers;
    if (SUCCEEDED(weld->GetValues(numbers))) values = Numbers(numbers);
  }
  if (ZELIBIWPointFastener_var point = object) {
    QIVRawColldouble position;
    if (SUCCEEDED(point->GetDesignPosition(position))) design = Position(position);
    if (SUCCEEDED(point->GetManufacturingPosition(position))) manufacturing = Position(position);
  } else if (ZELIBIWCurveFastener_var curve = object) {
    QIVListVal<QIVRawColldouble> curvePoints;
    points = Json::array();
    if (SUCCEEDED(curve->GetPoints(curvePoints)))
      for (const QIVRawColldouble& point : curvePoints) points.push_back(Numbers(point));
  }
  QIVListValQIVBaseUnknown_var activities;
  ZELIBIWFeature_var feature = object;
  if (feature) feature->GetAssignedActivities(activities);
  // A fastener joins the parts of its assembly joint unless it names its own.
  Json parts = RelatedParts(object);
  if (parts.empty() && joint) parts = RelatedParts(joint);
  return Json{{"name", BiwplanFeatureName(object)},
              {"geometry", ZELIBIWCurveFastener_var(object) ? "curve" : "point"},
              {"type", fastener->GetType().str()},
              {"category", fastener->GetCategory().str()},
              {"identifier", TextOrNull(fastener->GetIdentifier().str())},
              {"plmId", PlmId(object)},
              {"version", TextOrNull(fastener->GetFastenerVersion().str())},
              {"joint", joint ? TextOrNull(Name(joint)) : Json()},
              {"jointBody", jointBody ? TextOrNull(Name(jointBody)) : Json()},
              {"parts", parts},
              {"values", values},
              {"points", points},
              {"designPosition", design},
              {"manufacturingPosition", manufacturing},
              {"color", Color(fastener->GetColor())},
              {"representation", feature ? TextOrNull(feature->GetGraphicRepresentation().str()) : Json()},
              {"assignedTo", ActivityPaths(activities)}};
}

bool BiwplanRecords::IsJoint(const QIVBaseUnknown_var& object) const {
  QIVIModelObject_var model = object;
  if (!model || model->GetSubKind() != "Group") return false;
  // An assembly joint is a group right under a top fastener group.
  QIVIModelObject_var father = SpecFather(object);
  return father && father->GetSubKind() == "TopFastenerGroup";
}

Json BiwplanRecords::Joint(const QIVBaseUnknown_var& object) const {
  QIVListValQIVBaseUnknown_var jointBodies, fasteners;
  if (ZELIBIWFeatureChildMgmt_var children = object)
    children->GetChildren(jointBodies, ZELIBIWFeatureChildMgmt::ClassName());
  if (ZELIBIWFeatureGroup_var group = object) group->GetFasteners(fasteners, true);
  return Json{{"name", BiwplanFeatureName(object)},
              {"parts", RelatedParts(object)},
              {"jointBodies", Names(jointBodies)},
              {"fasteners", Names(fasteners)}};
}

// A datum, datum target, locating or clamping point.
Json BiwplanRecords::Feature(const QIVBaseUnknown_var& object) const {
  QIVListValQIVBaseUnknown_var activities;
  Json parts = Json::array(), position, text, color, representation;
  QIVBaseUnknown_var owner;
  if (QIVITPSDatumSimple_var datum = object) datum->GetOwnerProduct(owner);
  if (QIVITPSDatumTarget_var target = object) target->GetOwnerProduct(owner);
  if (owner) parts.push_back(BiwplanProductPath(_document, owner));
  QIVRawColldouble numbers;
  if (ZELIBIWLocatingPoint_var locating = object) {
    locating->GetPosition(numbers);
    text = TextOrNull(locating->GetDescription().str());
    color = Color(locating->GetColor());
  } else if (ZELIBIWClampingPoint_var clamping = object) {
    clamping->GetPosition(numbers);
    text = TextOrNull(clamping->GetDescription().str());
    color = Color(clamping->GetColor());
  }
  if (ZELIBIWFeature_var feature = object) {
    parts = RelatedParts(object);
    position = Position(numbers);
    representation = TextOrNull(feature->GetGraphicRepresentation().str());
    feature->GetAssignedActivities(activities);
  } else if (QIVISPPItem_var item = object) {
    item->GetProcessingActivities(activities);
  }
  return Json{{"name", Name(object)},
              {"kind", BiwplanFeatureImport::KindWord(object)},
              {"plmId", PlmId(object)},
              {"parts", parts},
              {"position", position},
              {"text", text},
              {"assignedTo", ActivityPaths(activities)},
              {"color", color},
              {"representation", representation}};
}

void BiwplanRecords::ForEach(Kind kind, const std::function<void(const Json&)>& onRecord,
                             const std::function<void(std::size_t, std::size_t)>& onEach) const {
  if (kind == Products) {
    const QIVListValQIVBaseUnknown_var products = _document->GetAllProducts();
    std::size_t done = 0;
    for (const QIVBaseUnknown_var& product : products) {
      onRecord(Product(product));
      if (onEach) onEach(++done, products.Size());
    }
    return;
  }
  if (kind == Features)
    for (const QIVBaseUnknown_var& datum : _document->GetDatums()) onRecord(Feature(datum));
  const QIVListValQIVBaseUnknown_var objects = _document->GetAllObjects();
  std::size_t done = 0;
  for (const QIVBaseUnknown_var& object : objects) {
    if (onEach) onEach(++done, objects.Size());
    if (kind == Activities && QIVISPPActivity_var(object))
      onRecord(Activity(object));
    else if (kind == Fasteners && ZELIBIWFastener_var(object))
      onRecord(Fastener(object));
    else if (kind == Joints && IsJoint(object))
      onRecord(Joint(object));
    else if (kind == Features && (ZELIBIWLocatingPoint_var(object) || ZELIBIWClampingPoint_var(object)))
      onRecord(Feature(object));
  }
}

bool BiwplanRecords::Record(const QIVBaseUnknown_var& object, Kind& kind, Json& record) const {
  if (QIVIProduct_var(object)) {
    kind = Products;
    record = Product(object);
  } else if (QIVISPPActivity_var(object)) {
    kind = Activities;
    record = Activity(object);
  } else if (ZELIBIWFastener_var(object)) {
    kind = Fasteners;
    record = Fastener(object);
  } else if (IsJoint(object)) {
    kind = Joints;
    record = Joint(object);
  } else if (ZELIBIWLocatingPoint_var(object) || ZELIBIWClampingPoint_var(object) ||
             QIVITPSDatumSimple_var(object) || QIVITPSDatumTarget_var(object)) {
    kind = Features;
    record = Feature(object);
  } else {
    return false;
  }
  return true;
}

std::string BiwplanRecords::Key(const Json& record) {
  const Json& key = record.contains("path") ? record["path"] : record["name"];
  return key.is_string() ? key.get<std::string>() : std::string();
}

void BiwplanRecords::Print(Kind kind, BiwplanTable::Format format,
                           const std::function<void(const std::function<void(const Json&)>&)>& produce,
                           std::ostream& out) {
  if (format == BiwplanTable::Json) {
    // As Json::dump(2) writes the whole listing, one record at a time.
    out << "{\n  \"version\": " << kVersion << ",\n  \"kind\": \"" << KindWord(kind) << "\",\n  \"items\": [";
    bool first = true;
    produce([&](const Json& record) {
      std::string text = record.dump(2, ' ', false, Json::error_handler_t::replace);
      for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 5))
        text.replace(at, 1, "\n    ");
      out << (first ? "\n    " : ",\n    ") << text;
      first = false;
    });
    out << (first ? "]\n}\n" : "\n  ]\n}\n");
    return;
  }
  const bool forPerson = format == BiwplanTable::Text;
  std::vector<const Column*> shown;
  std::vector<std::string> headers;
  for (const Column& column : Columns(kind))
    if (column.table || !forPerson) {
      shown.push_back(&column);
      headers.push_back(column.header);
    }
  BiwplanTable table(std::move(headers));
  produce([&](const Json& record) {
    std::vector<std::string> cells;
    for (const Column* column : shown) {
      const Json::json_pointer pointer(column->pointer);
      cells.push_back(record.contains(pointer) ? CellText(record[pointer], forPerson) : std::string());
    }
    table.AddRow(std::move(cells));
  });
  table.Print(out, format);
}
