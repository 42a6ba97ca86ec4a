#include <filesystem>
#include <iostream>
#include <map>
#include <utility>

#include "BiwplanCli.h"
#include "BiwplanFeatureImport.h"
#include "BiwplanProductImport.h"
#include "BiwplanSample.h"
#include "BiwplanTable.h"
#include "BiwplanVerbs.h"
#include "QIVIModelObject.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "QIVISpecObject.h"
#include "QIVISPPItem.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWCurveFastener.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIBIWFeatureGroup.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIBIWPointFastener.h"

namespace {

std::string Number(double value) { return QIVUnicodeString::Format("%.3f", value).str(); }

// A display colour as the appearance rules write it; "default" for -1.
std::string ColorText(long color) { return color == -1 ? "default" : std::to_string(color); }

std::string GraphicText(const QIVBaseUnknown_var& object) {
  ZELIBIWFeature_var feature = object;
  return feature ? feature->GetGraphicRepresentation().str() : std::string();
}

std::string SpecFatherName(const QIVBaseUnknown_var& object, QIVBaseUnknown_var* father = nullptr) {
  QIVBaseUnknown_var found;
  QIVISpecObject_var placed = object;
  if (!placed || FAILED(placed->GetSpecFather(found))) return std::string();
  if (father) *father = found;
  return BiwplanFeatureName(found);
}

std::string JoinActivities(const QIVIDocument_var& document, const QIVListValQIVBaseUnknown_var& activities) {
  std::string joined;
  for (const QIVBaseUnknown_var& activity : activities)
    joined += (joined.empty() ? "" : "; ") + BiwplanActivityPath(document, activity);
  return joined;
}

void ListProducts(const QIVIDocument_var& document, BiwplanTable& table) {
  for (const QIVBaseUnknown_var& object : document->GetAllProducts()) {
    QIVIProduct_var product = object;
    QIVMathTransformation position;
    if (!product || FAILED(product->GetAbsolutePosition(position))) continue;
    table.AddRow({BiwplanProductPath(document, object), product->GetPrdInstanceName().str(),
                  product->GetPartNumber().str(), Number(position.Translation(0)), Number(position.Translation(1)),
                  Number(position.Translation(2)), std::to_string(product->GetChildrenCount())});
  }
}

// The planning attributes of the activity's kind, "Name=value" each.
std::string Attributes(const QIVISPPActivity_var& activity) {
  QIVListValQIVUnicodeString names;
  activity->GetAttributeNames(names);
  std::string joined;
  for (const QIVUnicodeString& name : names) {
    double value = 0.0;
    activity->GetAttribute(name, value);
    joined += (joined.empty() ? "" : " ") + name.str() + "=" + QIVUnicodeString::Format("%.15g", value).str();
  }
  return joined;
}

void ListActivities(const QIVIDocument_var& document, BiwplanTable& table) {
  for (const QIVBaseUnknown_var& object : document->GetAllObjects()) {
    QIVISPPActivity_var activity = object;
    if (!activity) continue;
    double cycleTime = 0.0;
    activity->GetCycleTime(cycleTime);
    QIVISPPItemMgt_var items = object;
    QIVISPPFlowMgt_var flow = object;
    const int products = items ? items->GetItems("Product").Size() : 0;
    const int fasteners =
        items ? items->GetItems("PointFastener").Size() + items->GetItems("CurveFastener").Size() : 0;
    table.AddRow({BiwplanActivityPath(document, object), activity->GetActivityType().str(), Number(cycleTime),
                  std::to_string(products), std::to_string(fasteners),
                  flow ? JoinActivities(document, flow->GetNextActivities("Activity")) : std::string(),
                  Attributes(activity)});
  }
}

void ListFasteners(const QIVIDocument_var& document, BiwplanTable& table) {
  for (const QIVBaseUnknown_var& object : document->GetAllObjects()) {
    ZELIBIWFastener_var fastener = object;
    if (!fastener) continue;
    QIVBaseUnknown_var jointBody;
    const std::string jointBodyName = SpecFatherName(object, &jointBody);
    const std::string jointName = jointBody ? SpecFatherName(jointBody) : std::string();
    std::string x, y, z;
    std::string geometry = "point";
    if (ZELIBIWPointFastener_var point = object) {
      QIVMathTransformation placement;
      if (SUCCEEDED(point->GetDesignPlacement(placement))) {
        x = Number(placement.Translation(0));
        y = Number(placement.Translation(1));
        z = Number(placement.Translation(2));
      }
    } else if (ZELIBIWCurveFastener_var curve = object) {
      geometry = "curve";
    }
    QIVListValQIVBaseUnknown_var activities;
    if (ZELIBIWFeature_var feature = object) feature->GetAssignedActivities(activities);
    table.AddRow({BiwplanFeatureName(object), geometry, fastener->GetType().str(), fastener->GetCategory().str(),
                  fastener->GetIdentifier().str(), jointName, jointBodyName, x, y, z,
                  JoinActivities(document, activities), ColorText(fastener->GetColor()), GraphicText(object)});
  }
}

void ListJoints(const QIVIDocument_var& document, BiwplanTable& table) {
  QIVBaseUnknown_var containerObject;
  document->GetFeatureContainer(containerObject);
  ZELIBIWFeaturePartRelations_var relations = containerObject;
  for (const QIVBaseUnknown_var& object : document->GetAllObjects()) {
    QIVIModelObject_var model = object;
    if (!model || model->GetSubKind() != "Group") continue;
    // An assembly joint is a group right under a top fastener group.
    QIVBaseUnknown_var father;
    SpecFatherName(object, &father);
    QIVIModelObject_var fatherModel = father;
    if (!fatherModel || fatherModel->GetSubKind() != "TopFastenerGroup") continue;
    QIVListValQIVBaseUnknown_var parts;
    if (relations) relations->GetRelatedParts(object, parts);
    std::string partNames;
    for (const QIVBaseUnknown_var& part : parts)
      partNames += (partNames.empty() ? "" : "; ") + BiwplanProductPath(document, part);
    ZELIBIWFeatureChildMgmt_var children = object;
    QIVListValQIVBaseUnknown_var fasteners;
    if (ZELIBIWFeatureGroup_var group = object) group->GetFasteners(fasteners, true);
    table.AddRow({BiwplanFeatureName(object), partNames,
                  std::to_string(children ? children->GetChildrenCount() : 0), std::to_string(fasteners.Size())});
  }
}

// The datums and targets, then the locating and clamping points, each with
// its part, position, text and the activities it is assigned to.
void ListFeatures(const QIVIDocument_var& document, BiwplanTable& table) {
  for (const QIVBaseUnknown_var& object : document->GetDatums()) {
    QIVBaseUnknown_var owner;
    QIVUnicodeString name;
    if (QIVITPSDatumSimple_var datum = object) {
      datum->GetOwnerProduct(owner);
      name = datum->GetName();
    } else if (QIVITPSDatumTarget_var target = object) {
      target->GetOwnerProduct(owner);
      name = target->GetName();
    }
    QIVListValQIVBaseUnknown_var activities;
    if (QIVISPPItem_var item = object) item->GetProcessingActivities(activities);
    table.AddRow({name.str(), BiwplanFeatureImport::KindWord(object),
                  owner ? BiwplanProductPath(document, owner) : std::string(), "", "", "", "",
                  JoinActivities(document, activities), "", ""});
  }
  QIVBaseUnknown_var containerObject;
  document->GetFeatureContainer(containerObject);
  ZELIBIWFeaturePartRelations_var relations = containerObject;
  for (const QIVBaseUnknown_var& object : document->GetAllObjects()) {
    QIVRawColldouble position;
    QIVUnicodeString text;
    long color = -1;
    if (ZELIBIWLocatingPoint_var locating = object) {
      locating->GetPosition(position);
      text = locating->GetDescription();
      color = locating->GetColor();
    } else if (ZELIBIWClampingPoint_var clamping = object) {
      clamping->GetPosition(position);
      text = clamping->GetDescription();
      color = clamping->GetColor();
    } else {
      continue;
    }
    QIVListValQIVBaseUnknown_var parts;
    if (relations) relations->GetRelatedParts(object, parts);
    std::string partNames;
    for (const QIVBaseUnknown_var& part : parts)
      partNames += (partNames.empty() ? "" : "; ") + BiwplanProductPath(document, part);
    QIVListValQIVBaseUnknown_var activities;
    if (ZELIBIWFeature_var feature = object) feature->GetAssignedActivities(activities);
    table.AddRow({BiwplanFeatureName(object), BiwplanFeatureImport::KindWord(object), partNames, Number(position[1]),
                  Number(position[2]), Number(position[3]), text.str(), JoinActivities(document, activities),
                  ColorText(color), GraphicText(object)});
  }
}

}  // namespace

void AddDocumentVerbs(CLI::App& app, int& status) {
  {
    auto* verb = app.add_subcommand("new", "Create a document (empty: a process root \"Process\", no products)");
    auto path = std::make_shared<std::string>();
    auto sample = std::make_shared<bool>(false);
    auto force = std::make_shared<bool>(false);
    verb->add_option("DOC", *path, "Document file to create")->required();
    verb->add_flag("--sample", *sample, "Fill it with the sample under-body sub-assembly and its process");
    verb->add_flag("--force", *force, "Replace the file when it exists");
    verb->callback([&status, path, sample, force] {
      BiwplanSession session;
      if (!BiwplanLock(session, *path)) {
        status = BiwplanExit::Failed;
        return;
      }
      std::error_code ignored;
      if (!*force && std::filesystem::exists(std::filesystem::symlink_status(*path, ignored))) {
        status = BiwplanFail(*path + " already exists; nothing written (--force replaces it)");
        return;
      }
      session.OpenNew(*path);
      std::string error;
      if (*sample && !BiwplanSample::Build(session.Document(), error)) {
        status = BiwplanFail(error);
        return;
      }
      status = BiwplanSave(session) ? BiwplanExit::Ok : BiwplanExit::Failed;
      if (status == BiwplanExit::Ok) std::cout << "created " << *path << '\n';
    });
  }
  {
    auto* verb = app.add_subcommand("import-products", "Build the product tree from a CSV bill of materials");
    auto path = std::make_shared<std::string>();
    auto bom = std::make_shared<std::string>();
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("BOM", *bom, "CSV with the header parent,instance,reference[,x,y,z,roll,pitch,yaw]")
        ->required();
    verb->callback([&status, path, bom] {
      BiwplanSession session;
      if (!BiwplanOpen(session, *path, true)) {
        status = BiwplanExit::Failed;
        return;
      }
      std::string error;
      const int count = BiwplanProductImport::Import(session.Document(), *bom, error);
      if (count < 0) {
        status = BiwplanFail(error + " (nothing imported)");
        return;
      }
      if (count == 0) {
        status = BiwplanReport(BiwplanExit::NothingToDo, *bom + " holds no product; nothing imported");
        return;
      }
      status = BiwplanSave(session) ? BiwplanExit::Ok : BiwplanExit::Failed;
      if (status == BiwplanExit::Ok) std::cout << "imported " << count << " products\n";
    });
  }
  {
    auto* verb = app.add_subcommand(
        "import-features", "Bring in the datums, datum targets, locating and clamping points of a fixture from CSV");
    auto path = std::make_shared<std::string>();
    auto file = std::make_shared<std::string>();
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("FILE", *file, "CSV with the header kind,name,part,x,y,z[,roll,pitch,yaw][,text]")->required();
    verb->callback([&status, path, file] {
      BiwplanSession session;
      if (!BiwplanOpen(session, *path, true)) {
        status = BiwplanExit::Failed;
        return;
      }
      std::string error;
      const int count = BiwplanFeatureImport::Import(session.Document(), *file, error);
      if (count < 0) {
        status = BiwplanFail(error + " (nothing imported)");
        return;
      }
      if (count == 0) {
        status = BiwplanReport(BiwplanExit::NothingToDo, *file + " holds no feature; nothing imported");
        return;
      }
      status = BiwplanSave(session) ? BiwplanExit::Ok : BiwplanExit::Failed;
      if (status == BiwplanExit::Ok) std::cout << "imported " << count << " features\n";
    });
  }
  {
    auto* verb = app.add_subcommand("info", "Count the objects of a document by kind");
    auto path = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>("table");
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("--format", *format, "table, csv or json")->check(CLI::IsMember({"table", "csv", "json"}));
    verb->callback([&status, path, format] {
      BiwplanSession session;
      if (!BiwplanOpen(session, *path)) {
        status = BiwplanExit::Failed;
        return;
      }
      std::map<std::pair<std::string, std::string>, int> counts;
      for (const QIVBaseUnknown_var& object : session.Document()->GetAllObjects())
        if (QIVIModelObject_var model = object) ++counts[{model->GetKindName(), model->GetSubKind().str()}];
      BiwplanTable table({"kind", "variant", "count"});
      for (const auto& [kind, count] : counts) table.AddRow({kind.first, kind.second, std::to_string(count)});
      BiwplanTable::Format chosen = BiwplanTable::Text;
      BiwplanTable::ParseFormat(*format, chosen);
      table.Print(std::cout, chosen);
      status = BiwplanExit::Ok;
    });
  }
  {
    auto* verb = app.add_subcommand("list", "List the products, activities, fasteners, joints or features of a document");
    auto path = std::make_shared<std::string>();
    auto what = std::make_shared<std::string>();
    auto format = std::make_shared<std::string>("table");
    verb->add_option("DOC", *path, "Document file")->required();
    verb->add_option("WHAT", *what, "products, activities, fasteners, joints or features")
        ->required()
        ->check(CLI::IsMember({"products", "activities", "fasteners", "joints", "features"}));
    verb->add_option("--format", *format, "table, csv or json")->check(CLI::IsMember({"table", "csv", "json"}));
    verb->callback([&status, path, what, format] {
      BiwplanSession session;
      if (!BiwplanOpen(session, *path)) {
        status = BiwplanExit::Failed;
        return;
      }
      const QIVIDocument_var& document = session.Document();
      std::unique_ptr<BiwplanTable> table;
      if (*what == "products") {
        table = std::make_unique<BiwplanTable>(
            std::vector<std::string>{"path", "instance", "reference", "x", "y", "z", "children"});
        ListProducts(document, *table);
      } else if (*what == "activities") {
        table = std::make_unique<BiwplanTable>(
            std::vector<std::string>{"path", "type", "cycle time", "products", "fasteners", "next", "attributes"});
        ListActivities(document, *table);
      } else if (*what == "fasteners") {
        table = std::make_unique<BiwplanTable>(std::vector<std::string>{
            "name", "geometry", "type", "category", "identifier", "joint", "joint body", "x", "y", "z", "assigned to",
            "color", "graphic"});
        ListFasteners(document, *table);
      } else if (*what == "features") {
        table = std::make_unique<BiwplanTable>(
            std::vector<std::string>{"name", "kind", "part", "x", "y", "z", "text", "assigned to", "color", "graphic"});
        ListFeatures(document, *table);
      } else {
        table = std::make_unique<BiwplanTable>(
            std::vector<std::string>{"joint", "parts", "joint bodies", "fasteners"});
        ListJoints(document, *table);
      }
      BiwplanTable::Format chosen = BiwplanTable::Text;
      BiwplanTable::ParseFormat(*format, chosen);
      table->Print(std::cout, chosen);
      status = BiwplanExit::Ok;
    });
  }
}
