#include "ZELVekBIWInsertStandardStationCmd.h"

#include <set>

#include "QIVCommandDeletion.h"
#include "QIVIDocument.h"
#include "QIVIPlantObject.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "QIVSPPActivityType.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivityGrouping.h"
#include "ZELIBIWActivityStation.h"
#include "ZELIMHIDocInfo.h"
#include "ZELIPLMOpenObjectInfo.h"
#include "ZELIScrollListZitBltItemVisu.h"
#include "ZELPLMOpenObjectServices.h"
#include "ZELVekBIWInsertStandardStationDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELEnvironmentSwitches.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWInsertStandardStationCmd";
// The type every resource of a grouping derives from.
constexpr const char* kResourceType = "Resource";
// The dialog agent takes each notification it accepts (mode 3).
constexpr int kDialogAgentMode = 3;

std::string Text(const QIVBaseUnknown_var& record, const char* name) {
  QIVVariant value;
  if (FAILED(ZELPLMOpenObjectServices::GetVariantAttribute(record, name, value)) || !value.Text()) return {};
  return *value.Text();
}

// The product behind a picked resource: the product itself, or the item of
// a resource list's row.
QIVIProduct_var ProductOf(const QIVBaseUnknown_var& object) {
  if (QIVIProduct_var product = object) return product;
  QIVBaseUnknown_var item;
  if (ZELIScrollListZitBltItemVisu_var row = object; row && SUCCEEDED(row->GetItem(item))) return item;
  return QIVIProduct_var();
}

// `base`, or `base.N` with the first N from `first` that `taken` does not
// hold.
template <class Taken>
QIVUnicodeString FreeName(const std::string& base, int first, Taken taken) {
  if (first == 0 && !taken(base)) return QIVUnicodeString(base);
  for (int number = first == 0 ? 2 : first;; ++number)
    if (const std::string name = base + "." + std::to_string(number); !taken(name))
      return QIVUnicodeString(name);
}
}  // namespace

ZELVekBIWInsertStandardStationCmd::ZELVekBIWInsertStandardStationCmd()
    : QIVStateCommand(kClass, ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive) {}

ZELVekBIWInsertStandardStationCmd::~ZELVekBIWInsertStandardStationCmd() {
  for (QIVPathElementAgent** agent : {&_pProcessParentAgent, &_pResourceParentAgent}) {
    if (*agent) QIVCommandDeletion(*agent);
    *agent = nullptr;
  }
  if (_pDialogAgent) QIVCommandDeletion(_pDialogAgent);
  _pDialogAgent = nullptr;
  if (_pDialog) QIVCommandDeletion(_pDialog);
  _pDialog = nullptr;
  ClearUnknownLists(_templates);
  for (TemplateStations& gathered : _templateStations) {
    ClearUnknownLists(gathered.stations);
    ClearUnknownLists(gathered.resources);
  }
}

const char* ZELVekBIWInsertStandardStationCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWInsertStandardStationCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  InitPPR();
  GetMPTS();

  QIVDialogState* selectActivity = GetInitialState("SelectParentActivity");
  QIVBaseUnknown_var container;
  ZELFastenerServices::GetRootProcessContainer(container, _document);
  if (ZELIMHIDocInfo_var info = container; info && info->IsPartialReadOnly())
    AddTransition(selectActivity, nullptr, nullptr,
                  Action(this, &ZELVekBIWInsertStandardStationCmd::ShowErrorForPartialReadOnlyDoc));
  _pProcessParentAgent = new QIVPathElementAgent("ProcessParent", "QIVISPPAbstractActivity");
  _pProcessParentAgent->SetFilter(Filter(this, &ZELVekBIWInsertStandardStationCmd::ValidParentActivity));
  AddCSOClient(_pProcessParentAgent);
  selectActivity->AddDialogAgent(_pProcessParentAgent);

  QIVDialogState* selectResource = AddDialogState("SelectParentResource");
  _pResourceParentAgent = new QIVPathElementAgent("ResourceParent", "QIVIProduct");
  _pResourceParentAgent->AddElementType("ZELIScrollListZitBltItemVisu");
  _pResourceParentAgent->SetFilter(Filter(this, &ZELVekBIWInsertStandardStationCmd::ValidParentResource));
  AddCSOClient(_pResourceParentAgent);
  selectResource->AddDialogAgent(_pResourceParentAgent);

  QIVDialogState* handleDialog = AddDialogState("HandleDialog");
  _pDialog = new ZELVekBIWInsertStandardStationDlg(this);
  _pDialog->Build();
  _pDialog->SetVisibility(QIVDlgHide);
  _pDialogAgent = new QIVDialogAgent("SelectStationDlgAgentId", 0, kDialogAgentMode);
  _pDialogAgent->AcceptOnNotify(_pDialog, QIVDialog::GetDiaOKNotification());
  _pDialogAgent->AcceptOnNotify(_pDialog, QIVDialog::GetDiaCANCELNotification());
  _pDialogAgent->AcceptOnNotify(_pDialog, QIVDialog::GetWindCloseNotification());
  handleDialog->AddDialogAgent(_pDialogAgent);

  AddTransition(selectActivity, selectResource, IsOutputSetCondition(_pProcessParentAgent),
                Action(this, &ZELVekBIWInsertStandardStationCmd::OnProcessParentSelection));
  AddTransition(selectResource, handleDialog, IsOutputSetCondition(_pResourceParentAgent),
                Action(this, &ZELVekBIWInsertStandardStationCmd::OnResourceParentSelection));
  AddTransition(handleDialog, nullptr,
                IsLastModifiedAgentCondition(_pDialogAgent, QIVDialog::GetDiaOKNotification()),
                Action(this, &ZELVekBIWInsertStandardStationCmd::DialogOk));
  AddTransition(handleDialog, nullptr,
                IsLastModifiedAgentCondition(_pDialogAgent, QIVDialog::GetDiaCANCELNotification()),
                Action(this, &ZELVekBIWInsertStandardStationCmd::DialogClose));
  AddTransition(handleDialog, nullptr,
                IsLastModifiedAgentCondition(_pDialogAgent, QIVDialog::GetWindCloseNotification()),
                Action(this, &ZELVekBIWInsertStandardStationCmd::DialogClose));
}

bool ZELVekBIWInsertStandardStationCmd::ValidParentActivity(QIVPathElementAgent* agent, void*) {
  ZELTraceScope scope(kClass, "ValidParentActivity");
  QIVISPPActivity_var activity(agent->GetValue());
  return activity && activity->IsSubTypeOf(QIVSPPActivityTypes::Grouping);
}

bool ZELVekBIWInsertStandardStationCmd::ValidParentResource(QIVPathElementAgent* agent, void*) {
  ZELTraceScope scope(kClass, "ValidParentResource");
  ZELIScrollListZitBltItemVisu_var row(agent->GetValue());
  QIVBaseUnknown_var item;
  if (!row || FAILED(row->GetItem(item)) || !item) return true;
  return row->GetItemType() == kResourceType;
}

bool ZELVekBIWInsertStandardStationCmd::OnProcessParentSelection(void*) {
  ZELTraceScope scope(kClass, "OnProcessParentSelection");
  _grouping = _pProcessParentAgent->GetValue();
  QIVISPPItemMgt_var items(_grouping);
  if (!items) return true;
  QIVBaseUnknown_var only;
  int resources = 0;
  for (const QIVBaseUnknown_var& item : items->GetItems("Item", QIVSPPItemAssigned)) {
    QIVIPlantObject_var plant(item);
    if (!plant || plant->GetPlantType().IsEmpty() || !IsSubTypeOf(item, kResourceType)) continue;
    only = item;
    ++resources;
  }
  if (resources == 1) _pResourceParentAgent->SetValue(only.get());
  return true;
}

bool ZELVekBIWInsertStandardStationCmd::OnResourceParentSelection(void*) {
  ZELTraceScope scope(kClass, "OnResourceParentSelection");
  _resource = _pResourceParentAgent->GetValue();
  GatherPlantTypesBelow(_resource);
  ZELSetBusyCursor();
  GetTemplatesAndAssociatedStations(_templates, _templateStations);
  List stations, templates, resources;
  GetCopyListOfStations(stations, templates);
  GetCopyListOfResources(resources);
  if (stations.IsEmpty()) {
    ZELCatalogMessage{kClass,
                      "MessageNoValidStationModulesAvailable",
                      "No valid Station Modules available",
                      "TitleNoValidStationModulesAvailable",
                      "Station Modules Unavailable",
                      ZELVekBIWStyle::WarningBox}
        .Display();
    // Nothing can be chosen: the run ends with the box.
    RequestDelayedDestruction();
    return true;
  }
  _pDialog->UpdateMultiList(stations, templates);
  _pDialog->SetVisibility(QIVDlgShow);
  return true;
}

bool ZELVekBIWInsertStandardStationCmd::DialogOk(void*) {
  ZELTraceScope scope(kClass, "DialogOk");
  QIVBaseUnknown_var station;
  QIVBaseUnknown_var resource;
  if (FAILED(_pDialog->GetSelectedStation(station)) || FAILED(GetAssociatedResource(station, resource)))
    return true;
  ZELSetBusyCursor();
  InsertStandardStationFromTemplate(station, resource);
  return true;
}

bool ZELVekBIWInsertStandardStationCmd::DialogClose(void*) {
  ZELTraceScope scope(kClass, "DialogClose");
  return true;
}

bool ZELVekBIWInsertStandardStationCmd::ShowErrorForPartialReadOnlyDoc(void*) {
  ZELTraceScope scope(kClass, "ShowErrorForPartialReadOnlyDoc");
  ZELCatalogMessage{
      "ZELIPDCreateResourceCmd",
      "DocInPartialReadOnly",
      "This process document is loaded in Partial Read Only Mode. You cannot create new resource",
      "NonAvailabilityOfResourceDlgTitle",
      "Resource Creation Not Available",
      ZELVekBIWStyle::WarningBox,
      "Error"}
      .Display();
  return true;
}

HRESULT ZELVekBIWInsertStandardStationCmd::InitPPR() {
  ZELTraceScope scope(kClass, "InitPPR");
  return ZELFastenerServices::GetCurrentDocument(_document);
}

HRESULT ZELVekBIWInsertStandardStationCmd::GetMPTS() {
  ZELTraceScope scope(kClass, "GetMPTS");
  _derivesFrom.clear();
  List types;
  if (FAILED(ZELPLMOpenObjectServices::GetLibraryObjects("plantype", types))) return E_FAIL;
  for (const QIVBaseUnknown_var& type : types) _derivesFrom[Text(type, "name")] = Text(type, "derivesfrom");
  List sets;
  if (FAILED(ZELPLMOpenObjectServices::GetLibraryObjects("ergoplantypeset", sets)) || sets.IsEmpty())
    return E_FAIL;
  _plantTypeSet = sets[1];
  return S_OK;
}

std::string ZELVekBIWInsertStandardStationCmd::TypeOf(const QIVBaseUnknown_var& object) const {
  if (ZELIPLMOpenObjectInfo_var record = object)
    return record->GetKind() == "resource" ? Text(object, "plantype_name") : Text(object, "name");
  if (QIVIPlantObject_var plant = ProductOf(object)) return plant->GetPlantType().str();
  return {};
}

bool ZELVekBIWInsertStandardStationCmd::IsSubTypeOf(const QIVBaseUnknown_var& object,
                                                    const QIVUnicodeString& typeName) const {
  std::set<std::string> seen;
  for (std::string type = TypeOf(object); !type.empty() && seen.insert(type).second;) {
    if (type == typeName.str()) return true;
    const auto parent = _derivesFrom.find(type);
    type = parent == _derivesFrom.end() ? std::string() : parent->second;
  }
  return false;
}

void ZELVekBIWInsertStandardStationCmd::GatherPlantTypesBelow(const QIVBaseUnknown_var& resource) {
  _plantTypeNames.clear();
  if (!_plantTypeSet) return;
  // A product that is no resource stands for the plant itself, whose type
  // is the set's master.
  std::string type = TypeOf(resource);
  if (type.empty()) {
    List masters;
    ZELPLMOpenObjectServices::GetLinkedObjects(_plantTypeSet, "master", masters);
    if (!masters.IsEmpty()) type = Text(masters[1], "name");
  }
  List children;
  ZELPLMOpenObjectServices::GetLinkedObjects(_plantTypeSet, "ergoplantypechild", children);
  for (const QIVBaseUnknown_var& child : children) {
    const std::string name = Text(child, "name");
    if (name != type && IsSubTypeOf(child, QIVUnicodeString(type))) _plantTypeNames.push_back(name);
  }
}

HRESULT ZELVekBIWInsertStandardStationCmd::GetTemplatesAndAssociatedStations(
    List& templates, std::vector<TemplateStations>& stations) {
  ZELTraceScope scope(kClass, "GetTemplatesAndAssociatedStations");
  ClearUnknownLists(templates);
  stations.clear();
  List library;
  if (FAILED(ZELPLMOpenObjectServices::GetLibraryObjects("template", library))) return E_FAIL;
  for (const QIVBaseUnknown_var& libraryTemplate : library) {
    TemplateStations gathered;
    if (FAILED(GetStationsFromTemplate(libraryTemplate, gathered.stations, gathered.resources))) continue;
    templates.Append(libraryTemplate);
    stations.push_back(std::move(gathered));
  }
  return S_OK;
}

HRESULT ZELVekBIWInsertStandardStationCmd::GetStationsFromTemplate(const QIVBaseUnknown_var& libraryTemplate,
                                                                   List& stations, List& resources) {
  ZELTraceScope scope(kClass, "GetStationsFromTemplate");
  List linked;
  if (FAILED(ZELPLMOpenObjectServices::GetLinkedObjects(libraryTemplate, "BIWActivityStation", linked)))
    return E_FAIL;
  for (const QIVBaseUnknown_var& station : linked) {
    QIVBaseUnknown_var resource;
    if (FAILED(GetAssociatedResource(station, resource))) continue;
    stations.Append(station);
    resources.Append(resource);
  }
  return S_OK;
}

HRESULT ZELVekBIWInsertStandardStationCmd::GetAssociatedResource(const QIVBaseUnknown_var& station,
                                                                 QIVBaseUnknown_var& resource) {
  ZELTraceScope scope(kClass, "GetAssociatedResource");
  resource = nullptr;
  for (const TemplateStations& gathered : _templateStations)
    if (const int position = gathered.stations.Locate(station); position > 0) {
      resource = gathered.resources[position];
      return S_OK;
    }
  List used;
  if (FAILED(ZELPLMOpenObjectServices::GetLinkedObjects(station, "proc_uses_plant", used)) ||
      used.Size() != 1)
    return E_FAIL;
  const std::string type = Text(used[1], "plantype_name");
  for (const std::string& name : _plantTypeNames)
    if (name == type) {
      resource = used[1];
      return S_OK;
    }
  return E_FAIL;
}

QIVBaseUnknown_var ZELVekBIWInsertStandardStationCmd::GetCurrentDocAdapter() const { return _document; }

HRESULT ZELVekBIWInsertStandardStationCmd::CopyStandardObjectFromLibrary(
    QIVBaseUnknown_var& copy, const QIVBaseUnknown_var& libraryObject) {
  ZELTraceScope scope(kClass, "CopyStandardObjectFromLibrary");
  copy = nullptr;
  QIVIDocument_var document(GetCurrentDocAdapter());
  ZELIPLMOpenObjectInfo_var record(libraryObject);
  if (!document || !record) return E_FAIL;
  if (record->GetKind() == "BIWActivityStation") {
    if (FAILED(document->CreateObject("Activity", QIVSPPActivityTypes::Station, 0, copy))) return E_FAIL;
    _copies.Append(copy);
    QIVVariant cost;
    if (SUCCEEDED(record->GetVariantAttribute("_estimatedinvestmentcost", cost)) && cost.Real())
      QIVISPPActivity_var(copy)->SetAttribute("EstimatedInvestmentCost", *cost.Real());
    return S_OK;
  }
  if (record->GetKind() == "resource") {
    if (FAILED(document->CreateObject("Product", "", 0, copy))) return E_FAIL;
    _copies.Append(copy);
    QIVIPlantObject_var(copy)->SetPlantType(QIVUnicodeString(Text(libraryObject, "plantype_name")));
    return S_OK;
  }
  return E_INVALIDARG;
}

HRESULT ZELVekBIWInsertStandardStationCmd::InsertStandardStationFromTemplate(
    const QIVBaseUnknown_var& station, const QIVBaseUnknown_var& resource) {
  ZELTraceScope scope(kClass, "InsertStandardStationFromTemplate");
  QIVIDocument_var document(GetCurrentDocAdapter());
  QIVBaseUnknown_var stationCopy;
  QIVBaseUnknown_var resourceCopy;
  HRESULT result = CopyStandardObjectFromLibrary(stationCopy, station);
  if (SUCCEEDED(result)) result = CopyStandardObjectFromLibrary(resourceCopy, resource);
  // The resource goes below the parent resource, named after the library's
  // with the first number its new siblings leave free.
  const QIVIProduct_var parent = ProductOf(_resource);
  if (SUCCEEDED(result)) {
    const QIVListValQIVBaseUnknown_var siblings = [&] {
      QIVListValQIVBaseUnknown_var children;
      if (parent) parent->GetChildren(children);
      return parent ? children : document->GetRootProducts();
    }();
    std::set<std::string> taken;
    for (const QIVBaseUnknown_var& sibling : siblings)
      taken.insert(QIVIProduct_var(sibling)->GetPrdInstanceName().str());
    QIVIProduct_var(resourceCopy)
        ->SetPrdInstanceName(FreeName(Text(resource, "name"), 1,
                                      [&](const std::string& name) { return taken.count(name) != 0; }));
    result = parent ? parent->AddChild(resourceCopy) : document->AddRootProduct(resourceCopy);
  }
  // The station goes last under the grouping, named after the template's
  // station, numbered when a sibling has that name already.
  QIVISPPChildManagement_var children(_grouping);
  if (SUCCEEDED(result) &&
      (!ZELIBIWActivityStation_var(stationCopy) || !ZELIBIWActivityGrouping_var(_grouping) || !children))
    result = E_FAIL;
  if (SUCCEEDED(result)) {
    QIVISPPActivity_var(stationCopy)
        ->SetName(FreeName(Text(station, "name"), 0, [&](const std::string& name) {
          QIVBaseUnknown_var sibling;
          return SUCCEEDED(children->FindChild(QIVUnicodeString(name), sibling));
        }));
    result = children->AppendChild(stationCopy);
  }
  if (SUCCEEDED(result)) result = QIVISPPItemMgt_var(stationCopy)->AddItem(resourceCopy);
  if (FAILED(result)) Revert();
  return result;
}

void ZELVekBIWInsertStandardStationCmd::Revert() {
  QIVIDocument_var document(GetCurrentDocAdapter());
  for (int position = _copies.Size(); position >= 1 && document; --position)
    document->RemoveObject(_copies[position]);
  _copies.RemoveAll();
}

void ZELVekBIWInsertStandardStationCmd::GetCopyListOfStations(List& stations, List& templates) const {
  for (std::size_t index = 0; index < _templateStations.size(); ++index)
    for (const QIVBaseUnknown_var& station : _templateStations[index].stations) {
      stations.Append(station);
      templates.Append(_templates[static_cast<int>(index) + 1]);
    }
}

void ZELVekBIWInsertStandardStationCmd::GetCopyListOfResources(List& resources) const {
  for (const TemplateStations& gathered : _templateStations) resources.Append(gathered.resources);
}

void ZELVekBIWInsertStandardStationCmd::ClearUnknownLists(List& list) { list.RemoveAll(); }
