#include "ZELPLMOpenObjectServices.h"

#include <map>
#include <set>

#include "ZELPLMOpenObjectInfo.h"
#include "ZELPLMServices.h"

namespace {

QIVVar<ZELPLMOpenObjectInfo> Record(const std::string& name, const char* kind, QIVAttributes attributes = {}) {
  attributes["name"] = QIVVariant(name);
  return QIVMake<ZELPLMOpenObjectInfo>(name, kind, std::move(attributes));
}

// A station record with its component base, which holds its fastening
// rates.
QIVVar<ZELPLMOpenObjectInfo> StationRecord(const QIVLibraryStation& station) {
  QIVVar<ZELPLMOpenObjectInfo> record =
      Record(station.name, "BIWActivityStation",
             {{"_stationtype", QIVVariant(station.stationType)},
              {"_estimatedinvestmentcost", QIVVariant(station.estimatedInvestmentCost)}});
  record->AddLink("ergocompbase", Record(station.name, "ergocompbase",
                                         {{"_pointfasteningrate", QIVVariant(station.pointFasteningRate)},
                                          {"_curvefasteningrate", QIVVariant(station.curveFasteningRate)}}));
  return record;
}

}  // namespace

HRESULT ZELPLMOpenObjectServices::GetVariantAttribute(const QIVBaseUnknown_var& record, const QIVUnicodeString& name,
                                                      QIVVariant& value) {
  ZELIPLMOpenObjectInfo_var info(record);
  if (!info) return E_INVALIDARG;
  return info->GetVariantAttribute(name, value);
}

HRESULT ZELPLMOpenObjectServices::GetLibraryObjects(const QIVUnicodeString& kind,
                                                    QIVListValQIVBaseUnknown_var& objects) {
  objects.RemoveAll();
  QIVRepository* repository = ZELPLMServices::GetCurrentRepository();
  if (!repository) return E_FAIL;
  QIVLibraryContents library;
  try {
    library = repository->GetLibrary();
  } catch (const QIVSqlError&) {
    return E_FAIL;
  }
  std::map<std::string, QIVVar<ZELPLMOpenObjectInfo>> types;
  for (const QIVLibraryPlantType& type : library.plantTypes) {
    QIVAttributes attributes;
    if (!type.derivesFrom.empty()) attributes["derivesfrom"] = QIVVariant(type.derivesFrom);
    types[type.name] = Record(type.name, "plantype", attributes);
  }
  std::map<std::string, QIVVar<ZELPLMOpenObjectInfo>> resources;
  for (const QIVLibraryResource& resource : library.resources)
    resources[resource.name] =
        Record(resource.name, "resource", {{"plantype_name", QIVVariant(resource.plantTypeName)}});

  if (kind == "template") {
    for (const QIVLibraryTemplate& entry : library.templates) {
      QIVVar<ZELPLMOpenObjectInfo> record = Record(entry.name, "template");
      for (const QIVLibraryStation& station : entry.stations) {
        QIVVar<ZELPLMOpenObjectInfo> stationRecord = StationRecord(station);
        if (auto used = resources.find(station.usesPlant); used != resources.end())
          stationRecord->AddLink("proc_uses_plant", used->second);
        record->AddLink("BIWActivityStation", stationRecord);
      }
      objects.Append(record);
    }
  } else if (kind == "resource") {
    for (const QIVLibraryResource& resource : library.resources) objects.Append(resources[resource.name]);
  } else if (kind == "plantype") {
    for (const QIVLibraryPlantType& type : library.plantTypes) objects.Append(types[type.name]);
  } else if (kind == "ergoplantypeset") {
    if (library.plantTypeSetMaster.empty()) return S_OK;
    QIVVar<ZELPLMOpenObjectInfo> set = Record(library.plantTypeSetMaster, "ergoplantypeset");
    set->AddLink("master", types[library.plantTypeSetMaster]);
    for (const std::string& child : library.plantTypeSetChildren) set->AddLink("ergoplantypechild", types[child]);
    objects.Append(set);
  } else {
    return E_INVALIDARG;
  }
  return S_OK;
}

HRESULT ZELPLMOpenObjectServices::GetLinkedObjects(const QIVBaseUnknown_var& record, const QIVUnicodeString& link,
                                                   QIVListValQIVBaseUnknown_var& objects) {
  ZELIPLMOpenObjectInfo_var info(record);
  if (!info) return E_INVALIDARG;
  return info->GetLinkedObjects(link, objects);
}

bool ZELPLMOpenObjectServices::IsSubTypeOf(const QIVUnicodeString& type, const QIVUnicodeString& ancestor) {
  QIVListValQIVBaseUnknown_var types;
  if (FAILED(GetLibraryObjects("plantype", types))) return false;
  std::map<std::string, std::string> parents;
  for (const QIVBaseUnknown_var& object : types) {
    QIVVariant parent;
    ZELIPLMOpenObjectInfo_var info(object);
    info->GetVariantAttribute("derivesfrom", parent);
    parents[info->GetIdentifier().str()] = parent.Text() ? *parent.Text() : std::string();
  }
  std::set<std::string> seen;
  for (std::string step = type.str(); !step.empty() && seen.insert(step).second;) {
    if (step == ancestor.str()) return true;
    auto found = parents.find(step);
    step = found == parents.end() ? std::string() : found->second;
  }
  return false;
}
