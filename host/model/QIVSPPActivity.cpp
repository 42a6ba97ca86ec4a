#include "QIVSPPActivity.h"

#include <algorithm>
#include <initializer_list>
#include <unordered_set>

#include "QIVDocument.h"
#include "QIVIProduct.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "QIVSPPItemLink.h"
#include "QIVSPPProcessContainer.h"
#include "QIVSPPProductIO.h"
#include "QIVSession.h"
#include "ZELBIWCycleTime.h"
#include "ZELBIWFastenerType.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIMfgAssembly.h"

namespace T = QIVSPPActivityTypes;

namespace {

// Interfaces that only some activity types offer.
bool IsTypeInterface(std::string_view name) {
  static const std::unordered_set<std::string_view> names = [] {
    std::unordered_set<std::string_view> all;
    for (const QIVSPPActivityType& type : QIVSPPActivityType::All())
      for (const char* offered : type.interfaces) all.insert(offered);
    return all;
  }();
  return names.count(name) != 0;
}

bool IsRootInterface(std::string_view name) {
  return name == QIVISPPActivityRoot::InterfaceName || name == ZELIUpdateManufAssly::InterfaceName ||
         name == QIVISPPActivityModificationEvents::InterfaceName;
}

void Erase(std::vector<QIVSPPActivity*>& activities, QIVSPPActivity* activity) {
  activities.erase(std::remove(activities.begin(), activities.end(), activity), activities.end());
}

bool Contains(const std::vector<QIVSPPActivity*>& activities, const QIVSPPActivity* activity) {
  return std::find(activities.begin(), activities.end(), activity) != activities.end();
}

std::string Quoted(const QIVUnicodeString& text) {
  std::string quoted = "\"";
  for (char c : text.str()) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return quoted + "\"";
}

// The transcript line of an announcement, so that a journal or a test sees
// what the views were told: activity modified "SpotWelding.2" in "Process".
std::string DescribeNotification(const QIVSPPActivityNotification& notification,
                                 const QIVUnicodeString& root) {
  constexpr const char* kinds[] = {"changed", "created", "deleted", "modified"};
  const int kind = notification.kind >= 1 && notification.kind <= 3 ? notification.kind : 0;
  QIVISPPActivity_var activity(notification.object);
  return std::string("activity ") + kinds[kind] + " " +
         Quoted(activity ? activity->GetName() : QIVUnicodeString()) + " in " + Quoted(root);
}

}  // namespace

QIVSPPActivity::QIVSPPActivity(const QIVSPPActivityType& type) : _type(&type) {
  for (const char* attribute : QIVSPPActivityType::Attributes(type.name)) _attributes.emplace_back(attribute, 0.0);
}

QIVSPPActivity::~QIVSPPActivity() { ReleaseLinks(); }

HRESULT QIVSPPActivity::SetName(const QIVUnicodeString& name) {
  if (name.IsEmpty()) return E_INVALIDARG;
  _name = name;
  if (Document()) Document()->ActivityNamed(this);
  return S_OK;
}

HRESULT QIVSPPActivity::Redraw() {
  QIVSession::Current().RaiseRedraw(Handle(this), "activity " + Quoted(_name));
  return S_OK;
}

bool QIVSPPActivity::IsSubTypeOf(const QIVUnicodeString& typeName) const {
  return QIVSPPActivityType::IsSubType(_type->name, typeName.view());
}

QIVSPPActivity* QIVSPPActivity::FatherActivity() const {
  return QIVCastCache::Cast<QIVSPPActivity>(Father());
}

bool QIVSPPActivity::IsProcessRoot() const {
  return QIVCastCache::Cast<QIVSPPProcessContainer>(Father()) != nullptr;
}

bool QIVSPPActivity::IsWithin(const QIVSPPActivity* other) const {
  for (const QIVSPPActivity* step = this; step; step = step->FatherActivity())
    if (step == other) return true;
  return false;
}

HRESULT QIVSPPActivity::GetFatherActivity(QIVBaseUnknown_var& father) const {
  return Answer(FatherActivity(), father);
}

HRESULT QIVSPPActivity::GetCycleTime(double& seconds) const {
  seconds = _cycleTime;
  return S_OK;
}

HRESULT QIVSPPActivity::SetCycleTime(double seconds) {
  if (seconds < 0.0) return E_INVALIDARG;
  _cycleTime = seconds;
  return S_OK;
}

HRESULT QIVSPPActivity::GetAttributeNames(QIVListValQIVUnicodeString& names) const {
  names.RemoveAll();
  for (const auto& attribute : _attributes) names.Append(attribute.first);
  return S_OK;
}

HRESULT QIVSPPActivity::GetAttribute(const QIVUnicodeString& name, double& value) const {
  return ReadAttribute(name.ConvertToChar(), value);
}

HRESULT QIVSPPActivity::SetAttribute(const QIVUnicodeString& name, double value) {
  return WriteAttribute(name.ConvertToChar(), value);
}

HRESULT QIVSPPActivity::ReadAttribute(const char* name, double& value) const {
  for (const auto& attribute : _attributes)
    if (std::string_view(attribute.first) == name) {
      value = attribute.second;
      return S_OK;
    }
  return E_FAIL;
}

HRESULT QIVSPPActivity::WriteAttribute(const char* name, double value) {
  for (auto& attribute : _attributes)
    if (std::string_view(attribute.first) == name) {
      attribute.second = value;
      return S_OK;
    }
  return E_FAIL;
}

std::unique_ptr<QIVListValQIVBaseUnknown_var> QIVSPPActivity::GetChildren(const QIVUnicodeString& type) const {
  auto children = std::make_unique<QIVListValQIVBaseUnknown_var>();
  for (QIVSPPActivity* child : _children)
    if (type.IsEmpty() || child->IsSubTypeOf(type)) children->Append(Handle(child));
  return children;
}

HRESULT QIVSPPActivity::FindChild(const QIVUnicodeString& name, QIVBaseUnknown_var& child) const {
  auto found = std::find_if(_children.begin(), _children.end(),
                           [&](const QIVSPPActivity* candidate) { return candidate->_name == name; });
  return Answer(found == _children.end() ? nullptr : *found, child);
}

HRESULT QIVSPPActivity::CreateChild(const QIVUnicodeString& type, QIVBaseUnknown_var& child) {
  child = CreateUnder(type.ConvertToChar(), QIVISPPChildManagement_var(this));
  return child ? S_OK : E_INVALIDARG;
}

HRESULT QIVSPPActivity::AppendChild(const QIVBaseUnknown_var& activity) { return InsertChildAfter(activity, nullptr); }

HRESULT QIVSPPActivity::InsertChildAfter(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& after) {
  QIVSPPActivity* child = Sibling(activity);
  if (!child || IsWithin(child)) return E_INVALIDARG;
  QIVSPPActivity* anchor = nullptr;
  if (after) {
    anchor = As<QIVSPPActivity>(after);
    if (!anchor || anchor->Father() != this || anchor == child) return E_INVALIDARG;
  }
  AttachChild(child, anchor);
  return S_OK;
}

void QIVSPPActivity::AttachChild(QIVSPPActivity* child, QIVSPPActivity* after) {
  QIVVar<QIVSPPActivity> keep(child);
  child->DetachFromFather();
  child->SetFather(this);
  auto position = after ? std::find(_children.begin(), _children.end(), after) : _children.end();
  _children.insert(position == _children.end() ? position : position + 1, child);
}

HRESULT QIVSPPActivity::RemoveChild(const QIVBaseUnknown_var& child) {
  auto* activity = As<QIVSPPActivity>(child);
  if (!activity || activity->Father() != this || !Document()) return E_INVALIDARG;
  return Document()->Delete(activity);
}

void QIVSPPActivity::ChildLeaving(QIVModelObject* child) {
  Erase(_children, QIVCastCache::Cast<QIVSPPActivity>(child));
}

QIVSPPActivity* QIVSPPActivity::Sibling(const QIVBaseUnknown_var& handle) const {
  auto* activity = As<QIVSPPActivity>(handle);
  return activity && Document() && activity->Document() == Document() ? activity : nullptr;
}

QIVListValQIVBaseUnknown_var QIVSPPActivity::GetPreviousActivities(const QIVUnicodeString& type) const {
  QIVListValQIVBaseUnknown_var previous;
  for (QIVSPPActivity* activity : _previous)
    if (type.IsEmpty() || activity->IsSubTypeOf(type)) previous.Append(Handle(activity));
  return previous;
}

QIVListValQIVBaseUnknown_var QIVSPPActivity::GetNextActivities(const QIVUnicodeString& type) const {
  QIVListValQIVBaseUnknown_var next;
  for (QIVSPPActivity* activity : _next)
    if (type.IsEmpty() || activity->IsSubTypeOf(type)) next.Append(Handle(activity));
  return next;
}

HRESULT QIVSPPActivity::AddNextActivity(const QIVBaseUnknown_var& next) {
  QIVSPPActivity* target = Sibling(next);
  if (!target) return E_INVALIDARG;
  if (Contains(_next, target)) return S_FALSE;
  _next.push_back(target);
  target->_previous.push_back(this);
  return S_OK;
}

HRESULT QIVSPPActivity::RemoveNextActivity(const QIVBaseUnknown_var& next) {
  auto* target = As<QIVSPPActivity>(next);
  if (!target || !Contains(_next, target)) return E_FAIL;
  Erase(_next, target);
  Erase(target->_previous, this);
  return S_OK;
}

HRESULT QIVSPPActivity::CreateProductIO(QIVSPPProductIODirection direction, QIVBaseUnknown_var& productIO) {
  auto created = QIVMake<QIVSPPProductIO>(this, direction);
  productIO = created;
  _productIOs.push_back(std::move(created));
  return S_OK;
}

HRESULT QIVSPPActivity::CreateProductOutput(QIVBaseUnknown_var& output) {
  return CreateProductIO(QIVSPPProductOutput, output);
}

HRESULT QIVSPPActivity::CreateProductInput(QIVBaseUnknown_var& input) {
  return CreateProductIO(QIVSPPProductInput, input);
}

HRESULT QIVSPPActivity::RemoveProductIO(const QIVBaseUnknown_var& productIO) {
  auto found = std::find_if(_productIOs.begin(), _productIOs.end(),
                            [&](const QIVVar<QIVSPPProductIO>& held) { return held == productIO; });
  if (found == _productIOs.end()) return E_FAIL;
  QIVVar<QIVSPPProductIO> removed = std::move(*found);
  _productIOs.erase(found);
  removed->ReleaseLinks();
  removed->ClearLinks();
  return S_OK;
}

HRESULT QIVSPPActivity::GetProductIOs(QIVListValQIVBaseUnknown_var& productIOs, int direction) const {
  productIOs.RemoveAll();
  for (const QIVVar<QIVSPPProductIO>& productIO : _productIOs)
    if (productIO->GetDirection() == direction) productIOs.Append(productIO);
  return S_OK;
}

HRESULT QIVSPPActivity::GetHandledParts(QIVListValQIVBaseUnknown_var& parts) const {
  parts = GetItems("Product");
  return S_OK;
}

HRESULT QIVSPPActivity::GetHandledAssemblies(QIVListValQIVBaseUnknown_var& assemblies) const {
  assemblies = GetItems("MfgAssembly");
  return S_OK;
}

HRESULT QIVSPPActivity::GetAssignedProducts(QIVListValQIVBaseUnknown_var& products) const {
  products.RemoveAll();
  _itemOrder.ForEach([&](QIVSPPItemLink* link) {
    const std::string_view kind = link->Item()->GetKindName();
    if (link->GetMode() == QIVSPPItemAssigned && (kind == "Product" || kind == "MfgAssembly"))
      products.Append(Handle(link->Item()));
  });
  return S_OK;
}

QIVListValQIVBaseUnknown_var QIVSPPActivity::GetItems(const QIVUnicodeString& kind, int mode) const {
  QIVListValQIVBaseUnknown_var items;
  const bool everyKind = kind.IsEmpty() || kind == "Item";
  _itemOrder.ForEach([&](QIVSPPItemLink* link) {
    if (mode != QIVSPPItemAnyMode && link->GetMode() != mode) return;
    if (everyKind || kind == link->Item()->GetKindName()) items.Append(Handle(link->Item()));
  });
  return items;
}

bool QIVSPPActivity::HasItem(const QIVBaseUnknown_var& item, int mode) const {
  auto found = _itemLinks.find(From(item));
  return found != _itemLinks.end() && (mode == QIVSPPItemAnyMode || found->second->GetMode() == mode);
}

HRESULT QIVSPPActivity::AddItem(const QIVBaseUnknown_var& item, int mode, QIVBaseUnknown_var* link) {
  QIVModelObject* object = From(item);
  if (!object || !object->IsProcessItem()) return E_INVALIDARG;
  if (mode == QIVSPPItemAnyMode) mode = QIVSPPItemAssigned;
  if (mode != QIVSPPItemAssigned && mode != QIVSPPItemFromFlow) return E_INVALIDARG;
  auto found = _itemLinks.find(object);
  if (found != _itemLinks.end()) {
    if (link) *link = found->second;
    return S_FALSE;
  }
  if (!ShareDocumentWith(object)) return E_INVALIDARG;
  auto created = QIVMake<QIVSPPItemLink>(this, object, mode);
  _itemOrder.Add(created.get());
  if (link) *link = created;
  _itemLinks.emplace(object, std::move(created));
  TellItemEdited(object);
  return S_OK;
}

HRESULT QIVSPPActivity::RemoveItem(const QIVBaseUnknown_var& item, int mode) {
  auto found = _itemLinks.find(From(item));
  if (found == _itemLinks.end() || (mode != QIVSPPItemAnyMode && found->second->GetMode() != mode)) return E_FAIL;
  DropItemLink(found->second.get());
  return S_OK;
}

HRESULT QIVSPPActivity::RemoveItems(const QIVListValQIVBaseUnknown_var& items, int mode) {
  bool removed = false;
  for (const QIVBaseUnknown_var& item : items) removed |= SUCCEEDED(RemoveItem(item, mode));
  return removed ? S_OK : S_FALSE;
}

HRESULT QIVSPPActivity::GetItemLink(const QIVBaseUnknown_var& item, QIVBaseUnknown_var& link) const {
  auto found = _itemLinks.find(From(item));
  return Answer(found == _itemLinks.end() ? nullptr : found->second.get(), link);
}

void QIVSPPActivity::DropItemLink(QIVSPPItemLink* link) {
  auto found = _itemLinks.find(link->Item());
  if (found == _itemLinks.end() || found->second.get() != link) return;
  QIVModelObject* item = link->Item();
  QIVVar<QIVSPPItemLink> removed = std::move(found->second);
  _itemLinks.erase(found);
  _itemOrder.Remove(link);
  removed->ReleaseLinks();
  removed->ClearLinks();
  TellItemEdited(item);
}

void QIVSPPActivity::TellItemEdited(QIVModelObject* item) {
  QIVSession& session = QIVSession::Current();
  if (!session.IsListened()) return;
  session.RaiseModelEvent({QIVModelEvent::Kind::Edited, Handle(this), {}});
  session.RaiseModelEvent({QIVModelEvent::Kind::Edited, Handle(item), {}});
}

HRESULT QIVSPPActivity::GetProcessContainer(QIVBaseUnknown_var& container) const {
  return Answer(IsProcessRoot() ? Father() : nullptr, container);
}

HRESULT QIVSPPActivity::Dispatch(const QIVSPPActivityNotification& notification) {
  using Kind = QIVModelEvent::Kind;
  const Kind kind = notification.kind == QIVSPPActivityNotification::Created   ? Kind::Created
                    : notification.kind == QIVSPPActivityNotification::Deleted ? Kind::Deleted
                                                                               : Kind::Modified;
  QIVSession::Current().RaiseModelEvent({kind, notification.object, DescribeNotification(notification, _name)});
  const std::vector<std::pair<int, Listener>> listeners = _listeners;
  for (const auto& listener : listeners) listener.second(notification);
  return S_OK;
}

int QIVSPPActivity::AddListener(Listener listener) {
  _listeners.emplace_back(_nextListenerKey, std::move(listener));
  return _nextListenerKey++;
}

HRESULT QIVSPPActivity::RemoveListener(int key) {
  auto found = std::find_if(_listeners.begin(), _listeners.end(), [&](const auto& held) { return held.first == key; });
  if (found == _listeners.end()) return E_FAIL;
  _listeners.erase(found);
  return S_OK;
}

HRESULT QIVSPPActivity::SetAutomaticUpdate(bool automatic) {
  _automaticUpdate = automatic;
  return S_OK;
}

HRESULT QIVSPPActivity::GetActivity(QIVBaseUnknown_var& activity) const {
  return Answer(_standsFor, activity);
}

HRESULT QIVSPPActivity::SetActivity(const QIVBaseUnknown_var& activity) {
  QIVSPPActivity* target = Sibling(activity);
  if (activity && (!target || target == this)) return E_INVALIDARG;
  if (_standsFor) _standsFor->RemoveReferrer(this);
  _standsFor = target;
  if (_standsFor) _standsFor->AddReferrer(this);
  return S_OK;
}

HRESULT QIVSPPActivity::IsValidItem(const QIVBaseUnknown_var& item) const {
  QIVModelObject* object = From(item);
  if (!IsSubTypeOf(T::BIWActivity) || !object || !object->IsProcessItem()) return E_FAIL;
  auto isOneOf = [&](std::initializer_list<const char*> types) {
    return std::any_of(types.begin(), types.end(), [&](const char* type) { return IsSubTypeOf(type); });
  };
  bool fits = false;
  if (ZELIBIWFastener_var fastener = item)
    fits = ZELBIWFastenerType::Fits(fastener->GetType().view(), _type->name);
  else if (ZELIBIWLocatingPoint_var(item) || QIVITPSDatumSimple_var(item) || QIVITPSDatumTarget_var(item))
    fits = isOneOf({T::Station, T::Grouping, T::Loading});
  else if (ZELIBIWClampingPoint_var(item))
    fits = isOneOf({T::Station, T::Grouping, T::Clamping, T::Unclamping});
  else
    fits = QIVIProduct_var(item) || ZELIMfgAssembly_var(item);
  return fits ? S_OK : E_FAIL;
}

HRESULT QIVSPPActivity::GetNumberOfSpecifiedPointFasteners(double& count) const {
  return ReadAttribute("SpecifiedPointFasteners", count);
}
HRESULT QIVSPPActivity::SetNumberOfSpecifiedPointFasteners(double count) {
  return WriteAttribute("SpecifiedPointFasteners", count);
}
HRESULT QIVSPPActivity::GetLengthOfSpecifiedCurveFasteners(double& length) const {
  return ReadAttribute("SpecifiedCurveFastenerLength", length);
}
HRESULT QIVSPPActivity::SetLengthOfSpecifiedCurveFasteners(double length) {
  return WriteAttribute("SpecifiedCurveFastenerLength", length);
}
HRESULT QIVSPPActivity::GetEstimatedInvestmentCost(double& cost) const {
  return ReadAttribute("EstimatedInvestmentCost", cost);
}
HRESULT QIVSPPActivity::SetEstimatedInvestmentCost(double cost) { return WriteAttribute("EstimatedInvestmentCost", cost); }
HRESULT QIVSPPActivity::GetGoalInvestmentCost(double& cost) const { return ReadAttribute("GoalInvestmentCost", cost); }
HRESULT QIVSPPActivity::SetGoalInvestmentCost(double cost) { return WriteAttribute("GoalInvestmentCost", cost); }
HRESULT QIVSPPActivity::GetProductExitRate(double& rate) const { return ReadAttribute("ProductExitRate", rate); }
HRESULT QIVSPPActivity::SetProductExitRate(double rate) { return WriteAttribute("ProductExitRate", rate); }
HRESULT QIVSPPActivity::GetPointFasteningRate(double& secondsPerFastener) const {
  return ReadAttribute("PointFasteningRate", secondsPerFastener);
}
HRESULT QIVSPPActivity::SetPointFasteningRate(double secondsPerFastener) {
  return WriteAttribute("PointFasteningRate", secondsPerFastener);
}
HRESULT QIVSPPActivity::GetFastenerProductionRate(double& millimetresPerSecond) const {
  return ReadAttribute("FastenerProductionRate", millimetresPerSecond);
}
HRESULT QIVSPPActivity::SetFastenerProductionRate(double millimetresPerSecond) {
  return WriteAttribute("FastenerProductionRate", millimetresPerSecond);
}

HRESULT QIVSPPActivity::Update() { return ZELBIWCycleTime::Update(QIVBaseUnknown_var(this)); }

QIVBaseUnknown_var QIVSPPActivity::CreateUnder(const char* type, const QIVISPPChildManagement_var& parent) {
  const QIVSPPActivityType* created = QIVSPPActivityType::Find(type);
  QIVSPPActivity* father = Sibling(parent);
  if (!created || created->IsAbstract() || !father) return {};
  QIVSPPActivity* activity = Document()->NewActivity(*created);
  father->AttachChild(activity);
  return Handle(activity);
}

QIVBaseUnknown_var QIVSPPActivity::CreateAfter(const char* type, const QIVISPPFlowMgt_var& previous) {
  const QIVSPPActivityType* created = QIVSPPActivityType::Find(type);
  QIVSPPActivity* before = Sibling(previous);
  QIVSPPActivity* father = before ? before->FatherActivity() : nullptr;
  if (!created || created->IsAbstract() || !father) return {};
  QIVSPPActivity* activity = Document()->NewActivity(*created);
  father->AttachChild(activity, before);
  activity->_next = std::move(before->_next);
  for (QIVSPPActivity* next : activity->_next) std::replace(next->_previous.begin(), next->_previous.end(), before, activity);
  before->_next = {activity};
  activity->_previous.push_back(before);
  return Handle(activity);
}

QIVBaseUnknown_var QIVSPPActivity::CreateStationActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::Station, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateStationActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::Station, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateActivityOfType(const QIVUnicodeString& type,
                                                        const QIVISPPChildManagement_var& parent) {
  return CreateUnder(type.ConvertToChar(), parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateActivityOfTypeAfter(const QIVUnicodeString& type,
                                                             const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(type.ConvertToChar(), previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateLoadingActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::Loading, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateLoadingActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::Loading, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateUnloadingActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::Unloading, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateUnloadingActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::Unloading, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateClampingActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::Clamping, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateClampingActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::Clamping, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateUnclampingActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::Unclamping, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateUnclampingActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::Unclamping, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateSpotWeldingActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::SpotWelding, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateSpotWeldingActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::SpotWelding, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateStudWeldingActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::StudWelding, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateStudWeldingActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::StudWelding, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateSpotGluingActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::SpotGluing, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateSpotGluingActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::SpotGluing, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateClinchingActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::Clinching, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateClinchingActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::Clinching, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateArcWeldingActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::ArcWelding, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateArcWeldingActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::ArcWelding, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateAdhesiveApplicationActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::AdhesiveApplication, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateAdhesiveApplicationActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::AdhesiveApplication, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateSealantApplicationActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::SealantApplication, parent);
}
QIVBaseUnknown_var QIVSPPActivity::CreateSealantApplicationActivityAfter(const QIVISPPFlowMgt_var& previous) {
  return CreateAfter(T::SealantApplication, previous);
}
QIVBaseUnknown_var QIVSPPActivity::CreateGroupingActivity(const QIVISPPChildManagement_var& parent) {
  return CreateUnder(T::Grouping, parent);
}

void QIVSPPActivity::CollectOwned(std::vector<QIVModelObject*>& owned) const {
  for (QIVSPPActivity* child : _children) {
    owned.push_back(child);
    child->CollectOwned(owned);
  }
}

void QIVSPPActivity::ReleaseLinks() {
  for (QIVSPPActivity* next : _next) Erase(next->_previous, this);
  for (QIVSPPActivity* previous : _previous) Erase(previous->_next, this);
  _next.clear();
  _previous.clear();
  auto links = std::move(_itemLinks);
  _itemLinks.clear();
  _itemOrder.Clear();
  for (auto& link : links) {
    link.second->ReleaseLinks();
    link.second->ClearLinks();
  }
  auto productIOs = std::move(_productIOs);
  _productIOs.clear();
  for (auto& productIO : productIOs) {
    productIO->ReleaseLinks();
    productIO->ClearLinks();
  }
  if (_standsFor) std::exchange(_standsFor, nullptr)->RemoveReferrer(this);
}

void QIVSPPActivity::ForgetReference(QIVModelObject* target) {
  if (target == _standsFor) _standsFor = nullptr;
}

void QIVSPPActivity::ClearLinks() {
  for (auto& link : _itemLinks) link.second->ClearLinks();
  for (auto& productIO : _productIOs) productIO->ClearLinks();
  _itemLinks.clear();
  _itemOrder.Clear();
  _productIOs.clear();
  _children.clear();
  _next.clear();
  _previous.clear();
  _standsFor = nullptr;
  _listeners.clear();
  QIVModelObject::ClearLinks();
}

bool QIVSPPActivity::Offers(std::string_view interfaceName) const {
  if (IsRootInterface(interfaceName)) return IsProcessRoot();
  if (IsTypeInterface(interfaceName)) return QIVSPPActivityType::Offers(_type->name, interfaceName);
  return QIVModelObject::Offers(interfaceName);
}

std::vector<std::string> QIVSPPActivity::LateTypes() const {
  std::vector<std::string> types;
  for (const QIVSPPActivityType* type : QIVSPPActivityType::Chain(_type->name)) types.emplace_back(type->name);
  return types;
}

bool QIVSPPActivity::RemoveOwnedComponent(QIVModelObject* component) {
  if (auto* link = QIVCastCache::Cast<QIVSPPItemLink>(component)) {
    DropItemLink(link);
    return true;
  }
  if (QIVCastCache::Cast<QIVSPPProductIO>(component)) {
    RemoveProductIO(QIVBaseUnknown_var(component));
    return true;
  }
  return false;
}
