#include "QIVDocument.h"

#include <algorithm>
#include <cassert>
#include <iterator>

#include "QIVIAlias.h"
#include "QIVIPlantLibrary.h"
#include "QIVISPPItemLink.h"
#include "QIVPlantLibrary.h"
#include "QIVProduct.h"
#include "QIVProductReference.h"
#include "QIVSession.h"
#include "QIVSPPActivity.h"
#include "QIVSPPProcessContainer.h"
#include "QIVTPSDatum.h"
#include "ZELBIWCurveFastener.h"
#include "ZELBIWFeatureContainer.h"
#include "ZELBIWFeatureGroup.h"
#include "ZELBIWLocator.h"
#include "ZELBIWPointFastener.h"
#include "ZELMfgAssembly.h"

namespace {

// The object as the class its index kind stands for.
template <class T>
T* AsIndexed(QIVModelObject* object) {
  assert(dynamic_cast<T*>(object) == static_cast<T*>(object) && "index kind of another class");
  return static_cast<T*>(object);
}

// Names every model interface once, so that callers holding only an
// interface's name (children and features filtered by interface) find it.
void NameModelInterfaces() {
  static const bool named = [] {
    const char* names[] = {
        QIVIModelObject::ClassName(), QIVISpecObject::ClassName(), QIVILinkableObject::ClassName(),
        QIVIPLMObject::ClassName(), QIVISPPItem::ClassName(), QIVISPPItemLink::ClassName(),
        QIVISPPActivity::ClassName(), QIVISPPAbstractActivity::ClassName(), QIVISPPChildManagement::ClassName(),
        QIVISPPFlowMgt::ClassName(), QIVISPPItemMgt::ClassName(), QIVISPPProductIO::ClassName(),
        QIVISPPActivityRoot::ClassName(), QIVISPPActivityModificationEvents::ClassName(),
        QIVISPPDynamicActivity::ClassName(), QIVISPPProcessContainer::ClassName(), ZELIUpdateManufAssly::ClassName(),
        ZELIBIWItemInfo::ClassName(), ZELIBIWActivity::ClassName(), ZELIBIWActivityStation::ClassName(),
        ZELIBIWActivityGrouping::ClassName(), ZELIBIWActivityWelding::ClassName(),
        ZELIBIWActivityCurveFastening::ClassName(), ZELIBIWActivityLoading::ClassName(),
        ZELIBIWActivityUnloading::ClassName(), ZELIBIWActivityClamping::ClassName(),
        ZELIBIWActivityUnclamping::ClassName(), ZELIBIWActivityFactory::ClassName(), QIVIProduct::ClassName(),
        QIVIProductReference::ClassName(), ZELIMfgAssembly::ClassName(), QIVIAlias::ClassName(),
        ZELIBIWFPPFactory::ClassName(), ZELIBIWFeatureContainer::ClassName(),
        ZELIBIWFeaturePartRelations::ClassName(), ZELIBIWFeature::ClassName(), ZELIBIWFeatureGroup::ClassName(),
        ZELIBIWFeatureChildMgmt::ClassName(), ZELIBIWTopFastenerGroup::ClassName(),
        ZELIBIWTopLocatingPointGroup::ClassName(), ZELIBIWTopClampingPointGroup::ClassName(),
        ZELIBIWFastener::ClassName(), ZELIBIWPointFastener::ClassName(), ZELISpotWeld::ClassName(),
        ZELIBIWCurveFastener::ClassName(), ZELIBIWLocatingPoint::ClassName(), ZELIBIWClampingPoint::ClassName(),
        QIVITPSDatumSimple::ClassName(), QIVITPSDatumTarget::ClassName(), QIVIPlantLibrary::ClassName(),
        QIVIDocument::ClassName(), QIVInit::ClassName()};
    return std::size(names) > 0;
  }();
  (void)named;
}

using Maker = QIVVar<QIVModelObject> (*)(std::string_view subKind);

QIVVar<QIVModelObject> MakeActivity(std::string_view subKind) {
  const QIVSPPActivityType* type = QIVSPPActivityType::Find(subKind);
  if (!type || type->IsAbstract()) return {};
  return QIVMake<QIVSPPActivity>(*type);
}

QIVVar<QIVModelObject> MakeFeatureGroup(std::string_view subKind) {
  ZELBIWFeatureGroup::Kind kind;
  if (!ZELBIWFeatureGroup::KindFromName(QIVUnicodeString(subKind), kind)) return {};
  return QIVMake<ZELBIWFeatureGroup>(kind);
}

QIVVar<QIVModelObject> MakeLocator(std::string_view subKind) {
  if (subKind == "LocatingPoint") return QIVMake<ZELBIWLocator>(false);
  if (subKind == "ClampingPoint") return QIVMake<ZELBIWLocator>(true);
  return {};
}

QIVVar<QIVModelObject> MakeDatum(std::string_view subKind) {
  if (subKind == "DatumSimple") return QIVMake<QIVTPSDatum>(false);
  if (subKind == "DatumTarget") return QIVMake<QIVTPSDatum>(true);
  return {};
}

template <class T>
QIVVar<QIVModelObject> Make(std::string_view) {
  return QIVMake<T>();
}

const std::pair<std::string_view, Maker> Makers[] = {
    {"ProcessContainer", &Make<QIVSPPProcessContainer>},
    {"FeatureContainer", &Make<ZELBIWFeatureContainer>},
    {"PlantLibrary", &Make<QIVPlantLibrary>},
    {"Activity", &MakeActivity},
    {"Product", &Make<QIVProduct>},
    {"ProductReference", &Make<QIVProductReference>},
    {"MfgAssembly", &Make<ZELMfgAssembly>},
    {"FeatureGroup", &MakeFeatureGroup},
    {"PointFastener", &Make<ZELBIWPointFastener>},
    {"CurveFastener", &Make<ZELBIWCurveFastener>},
    {"Locator", &MakeLocator},
    {"Datum", &MakeDatum},
};

}  // namespace

QIVIDocument_var QIVDocument::New() {
  QIVVar<QIVDocument> document = QIVMake<QIVDocument>();
  QIVBaseUnknown_var created;
  for (const char* kind : {"ProcessContainer", "FeatureContainer", "PlantLibrary"})
    document->CreateObject(kind, "", 0, created);
  document->_processContainer->CreateProcess("Process", created);
  return document;
}

QIVIDocument_var QIVDocument::NewEmpty() { return QIVMake<QIVDocument>(); }

QIVDocument::QIVDocument() : _featuresByName(&ZELBIWFeature::AliasOf) { NameModelInterfaces(); }

QIVDocument::~QIVDocument() { Close(); }

HRESULT QIVDocument::GetRootContainer(const QIVUnicodeString& type, QIVBaseUnknown_var& container) const {
  if (type == QIVISPPProcessContainer::InterfaceName) return GetProcessContainer(container);
  if (type == "ZELFPPContainer" || type == ZELIBIWFeatureContainer::InterfaceName) return GetFeatureContainer(container);
  if (type == QIVIPlantLibrary::InterfaceName) return GetPlantLibrary(container);
  container = nullptr;
  return E_INVALIDARG;
}

HRESULT QIVDocument::GetProcessContainer(QIVBaseUnknown_var& container) const {
  return QIVModelObject::Answer(_processContainer, container);
}

HRESULT QIVDocument::GetFeatureContainer(QIVBaseUnknown_var& container) const {
  return QIVModelObject::Answer(_featureContainer, container);
}

HRESULT QIVDocument::GetPlantLibrary(QIVBaseUnknown_var& library) const {
  return QIVModelObject::Answer(_plantLibrary, library);
}

HRESULT QIVDocument::GetRootActivity(QIVBaseUnknown_var& root) const {
  const bool hasRoot = _processContainer && !_processContainer->Roots().empty();
  return QIVModelObject::Answer(hasRoot ? _processContainer->Roots().front() : nullptr, root);
}

QIVListValQIVBaseUnknown_var QIVDocument::GetRootProducts() const { return Handles(_rootProducts); }

QIVListValQIVBaseUnknown_var QIVDocument::GetAllProducts() const {
  QIVListValQIVBaseUnknown_var products;
  std::vector<const QIVProduct*> pending(_rootProducts.rbegin(), _rootProducts.rend());
  while (!pending.empty()) {
    const QIVProduct* product = pending.back();
    pending.pop_back();
    products.Append(QIVModelObject::Handle(product));
    pending.insert(pending.end(), product->Children().rbegin(), product->Children().rend());
  }
  return products;
}

HRESULT QIVDocument::CreateProduct(const QIVBaseUnknown_var& father, const QIVUnicodeString& instanceName,
                                   const QIVUnicodeString& partNumber, QIVBaseUnknown_var& product) {
  product = nullptr;
  auto* parent = QIVModelObject::As<QIVProduct>(father);
  if (father && (!parent || parent->Document() != this)) return E_INVALIDARG;
  QIVBaseUnknown_var reference;
  if (!partNumber.IsEmpty() && FAILED(FindReference(partNumber, reference))) {
    CreateObject("ProductReference", "", 0, reference);
    QIVModelObject::As<QIVProductReference>(reference)->SetPartNumber(partNumber);
  }
  QIVBaseUnknown_var created;
  CreateObject("Product", "", 0, created);
  auto* instance = QIVModelObject::As<QIVProduct>(created);
  instance->SetPrdInstanceName(instanceName);
  instance->SetReferenceProduct(reference);
  if (parent)
    parent->AddChild(created);
  else
    AddRootProduct(created);
  product = created;
  return S_OK;
}

HRESULT QIVDocument::AddRootProduct(const QIVBaseUnknown_var& product) {
  auto* root = QIVModelObject::As<QIVProduct>(product);
  if (!root || root->Document() != this || root->Father() ||
      std::find(_rootProducts.begin(), _rootProducts.end(), root) != _rootProducts.end())
    return E_INVALIDARG;
  _rootProducts.push_back(root);
  ProductTreeChanged();
  return S_OK;
}

HRESULT QIVDocument::FindReference(const QIVUnicodeString& partNumber, QIVBaseUnknown_var& reference) const {
  auto found = _referencesByPartNumber.find(partNumber.str());
  return QIVModelObject::Answer(found == _referencesByPartNumber.end() ? nullptr : found->second, reference);
}

QIVListValQIVBaseUnknown_var QIVDocument::FindProductsByInstanceName(const QIVUnicodeString& name) const {
  std::vector<QIVProduct*> products = _productsByName.All(name);
  SortByProductOrder(products);
  return Handles(products);
}

QIVListValQIVBaseUnknown_var QIVDocument::FindProductsByPartNumber(const QIVUnicodeString& partNumber) const {
  auto found = _referencesByPartNumber.find(partNumber.str());
  if (found == _referencesByPartNumber.end()) return {};
  std::vector<QIVProduct*> products = found->second->Instances();
  SortByProductOrder(products);
  return Handles(products);
}

void QIVDocument::SortByProductOrder(std::vector<QIVProduct*>& products) const {
  if (!_productOrderValid) {
    _productOrder.clear();
    int rank = 0;
    for (const QIVBaseUnknown_var& product : GetAllProducts())
      _productOrder.emplace(QIVModelObject::As<QIVProduct>(product), rank++);
    _productOrderValid = true;
  }
  std::erase_if(products, [&](const QIVProduct* product) { return !_productOrder.count(product); });
  std::sort(products.begin(), products.end(),
            [&](const QIVProduct* a, const QIVProduct* b) { return _productOrder.at(a) < _productOrder.at(b); });
}

QIVListValQIVBaseUnknown_var QIVDocument::Handles(const std::vector<QIVProduct*>& products) const {
  QIVListValQIVBaseUnknown_var handles;
  for (QIVProduct* product : products) handles.Append(QIVModelObject::Handle(product));
  return handles;
}

bool QIVDocument::IsInProductTree(const QIVProduct* product) const {
  if (!product || product->Document() != this) return false;
  while (QIVProduct* father = product->FatherProduct()) product = father;
  return std::find(_rootProducts.begin(), _rootProducts.end(), product) != _rootProducts.end();
}

QIVListValQIVBaseUnknown_var QIVDocument::GetMfgAssemblies() const {
  QIVListValQIVBaseUnknown_var assemblies;
  _mfgAssemblies.ForEach([&](ZELMfgAssembly* assembly) { assemblies.Append(QIVModelObject::Handle(assembly)); });
  return assemblies;
}

QIVListValQIVBaseUnknown_var QIVDocument::GetDatums() const {
  QIVListValQIVBaseUnknown_var datums;
  _datums.ForEach([&](QIVTPSDatum* datum) { datums.Append(QIVModelObject::Handle(datum)); });
  return datums;
}

HRESULT QIVDocument::CreateDatum(bool target, const QIVUnicodeString& name, const QIVBaseUnknown_var& owner,
                                 QIVBaseUnknown_var& datum) {
  datum = nullptr;
  auto* product = QIVModelObject::As<QIVProduct>(owner);
  if (owner && (!product || product->Document() != this)) return E_INVALIDARG;
  QIVBaseUnknown_var created;
  CreateObject("Datum", target ? "DatumTarget" : "DatumSimple", 0, created);
  auto* made = QIVModelObject::As<QIVTPSDatum>(created);
  made->SetName(name);
  made->SetOwnerProduct(owner);
  datum = created;
  return S_OK;
}

HRESULT QIVDocument::FindObject(QIVObjectId id, QIVBaseUnknown_var& object) const {
  return QIVModelObject::Answer(_objects.Find(id), object);
}

QIVListValQIVBaseUnknown_var QIVDocument::GetAllObjects() const {
  QIVListValQIVBaseUnknown_var objects;
  objects.Reserve(static_cast<int>(_objects.Size()));
  _objects.ForEach([&](QIVModelObject* entry) { objects.Append(QIVBaseUnknown_var(entry)); });
  return objects;
}

std::vector<QIVIDocument::KindCount> QIVDocument::CountObjectsByKind() const {
  // A body holds a handful of kinds over a hundred thousand objects: each
  // kind's name is told by its address first (one text per class), and by
  // its text only the first time an address is met.
  struct Seen {
    const char* kind;
    std::string subKind;
    std::size_t entry;
  };
  std::vector<Seen> seen;
  std::vector<KindCount> counts;
  _objects.ForEach([&](QIVModelObject* object) {
    const char* kind = object->GetKindName();
    const QIVUnicodeString subKind = object->GetSubKind();
    auto known = std::find_if(seen.begin(), seen.end(),
                              [&](const Seen& s) { return s.kind == kind && s.subKind == subKind.str(); });
    if (known == seen.end()) {
      auto entry = std::find_if(counts.begin(), counts.end(), [&](const KindCount& c) {
        return c.kind == kind && c.subKind == subKind.str();
      });
      if (entry == counts.end()) entry = counts.insert(counts.end(), {kind, subKind.str(), 0});
      known =
          seen.insert(seen.end(), {kind, subKind.str(), static_cast<std::size_t>(entry - counts.begin())});
    }
    ++counts[known->entry].count;
  });
  std::sort(counts.begin(), counts.end(), [](const KindCount& a, const KindCount& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.subKind < b.subKind;
  });
  return counts;
}

HRESULT QIVDocument::CreateObject(const QIVUnicodeString& kind, const QIVUnicodeString& subKind, QIVObjectId id,
                                  QIVBaseUnknown_var& object) {
  object = nullptr;
  if ((kind == "ProcessContainer" && _processContainer) || (kind == "FeatureContainer" && _featureContainer) ||
      (kind == "PlantLibrary" && _plantLibrary))
    return E_INVALIDARG;
  QIVVar<QIVModelObject> created = MakeObject(kind.view(), subKind.view());
  if (!created || !Register(created.get(), id)) return E_INVALIDARG;
  object = created;
  return S_OK;
}

QIVVar<QIVModelObject> QIVDocument::MakeObject(std::string_view kind, std::string_view subKind) {
  for (const auto& [name, make] : Makers)
    if (kind == name) return make(subKind);
  return {};
}

HRESULT QIVDocument::Adopt(const QIVBaseUnknown_var& object) { return AdoptObject(QIVModelObject::From(object)); }

HRESULT QIVDocument::AdoptObject(QIVModelObject* object) {
  if (!object) return E_INVALIDARG;
  if (object->_document == this && object->_id != 0) return S_FALSE;
  if (object->_document || object->Father()) return E_INVALIDARG;
  return Register(object) ? S_OK : E_INVALIDARG;
}

HRESULT QIVDocument::RemoveObject(const QIVBaseUnknown_var& object) { return Delete(QIVModelObject::From(object)); }

bool QIVDocument::Register(QIVModelObject* object, QIVObjectId id) {
  if (!object || object->_document || id < 0) return false;
  if (id == 0) id = _nextId;
  if (_objects.Find(id)) return false;
  _nextId = std::max(_nextId, id + 1);
  object->_document = this;
  object->_id = id;
  _objects.Insert(id, object);
  Index(object);
  QIVSession::Current().RaiseModelEvent({QIVModelEvent::Kind::Created, QIVModelObject::Handle(object), {}});
  return true;
}

HRESULT QIVDocument::Delete(QIVModelObject* object) {
  if (!object || object->_document != this || object->_id == 0) return E_INVALIDARG;
  if (object == _processContainer || object == _featureContainer || object == _plantLibrary) return E_INVALIDARG;
  QIVVar<QIVModelObject> keep(object);
  std::vector<QIVModelObject*> doomed{object};
  object->CollectOwned(doomed);
  object->DetachFromFather();
  for (QIVModelObject* going : doomed) going->ReleaseLinks();
  for (QIVModelObject* going : doomed)
    for (QIVModelObject* referrer : going->Referrers().Values()) referrer->ForgetReference(going);
  std::vector<QIVVar<QIVModelObject>> released;
  released.reserve(doomed.size());
  for (QIVModelObject* going : doomed) {
    QIVSession::Current().RaiseModelEvent({QIVModelEvent::Kind::Deleted, QIVModelObject::Handle(going), {}});
    Unindex(going);
    released.push_back(_objects.Erase(going->_id));
    going->ClearLinks();
  }
  return S_OK;
}

void QIVDocument::Index(QIVModelObject* object) {
  using Kind = QIVModelObject::IndexKind;
  switch (object->GetIndexKind()) {
    case Kind::ProcessContainer:
      if (!_processContainer) _processContainer = AsIndexed<QIVSPPProcessContainer>(object);
      break;
    case Kind::FeatureContainer:
      if (!_featureContainer) _featureContainer = AsIndexed<ZELBIWFeatureContainer>(object);
      break;
    case Kind::PlantLibrary:
      if (!_plantLibrary) _plantLibrary = AsIndexed<QIVPlantLibrary>(object);
      break;
    case Kind::Activity:
      ActivityNamed(AsIndexed<QIVSPPActivity>(object));
      break;
    case Kind::Product: {
      auto* product = AsIndexed<QIVProduct>(object);
      _productsByName.Add(product->GetPrdInstanceName(), product);
      break;
    }
    case Kind::ProductReference: {
      auto* reference = AsIndexed<QIVProductReference>(object);
      ReferenceRenumbered(reference, "", reference->GetPartNumber());
      break;
    }
    case Kind::Feature: {
      auto* feature = AsIndexed<ZELBIWFeature>(object);
      _featuresByName.Add(feature->GetAlias(), feature);
      break;
    }
    case Kind::Datum: {
      auto* datum = AsIndexed<QIVTPSDatum>(object);
      _datums.Add(datum);
      _datumsByName.Add(datum->GetName(), datum);
      break;
    }
    case Kind::MfgAssembly:
      _mfgAssemblies.Add(AsIndexed<ZELMfgAssembly>(object));
      break;
    case Kind::None:
      break;
  }
}

void QIVDocument::Unindex(QIVModelObject* object) {
  using Kind = QIVModelObject::IndexKind;
  switch (object->GetIndexKind()) {
    case Kind::Product: {
      auto* product = AsIndexed<QIVProduct>(object);
      _productsByName.Remove(product->GetPrdInstanceName(), product);
      RootProductLeaving(product);
      break;
    }
    case Kind::ProductReference: {
      auto* reference = AsIndexed<QIVProductReference>(object);
      auto found = _referencesByPartNumber.find(reference->GetPartNumber().str());
      if (found != _referencesByPartNumber.end() && found->second == reference)
        _referencesByPartNumber.erase(found);
      break;
    }
    case Kind::Feature: {
      auto* feature = AsIndexed<ZELBIWFeature>(object);
      _featuresByName.Remove(feature->GetAlias(), feature);
      break;
    }
    case Kind::Datum: {
      auto* datum = AsIndexed<QIVTPSDatum>(object);
      _datums.Remove(datum);
      _datumsByName.Remove(datum->GetName(), datum);
      break;
    }
    case Kind::MfgAssembly:
      _mfgAssemblies.Remove(AsIndexed<ZELMfgAssembly>(object));
      break;
    default:
      break;
  }
}

QIVSPPActivity* QIVDocument::NewActivity(const QIVSPPActivityType& type, const QIVUnicodeString& name) {
  auto activity = QIVMake<QIVSPPActivity>(type);
  Register(activity.get());
  if (name.IsEmpty()) {
    const int number = _activityNumbers[type.text] + 1;
    activity->SetName(QIVUnicodeString(type.text) + "." + QIVUnicodeString().BuildFromNum(number));
  } else {
    activity->SetName(name);
  }
  return activity.get();
}

void QIVDocument::ActivityNamed(const QIVSPPActivity* activity) {
  const char* text = activity->Type().text;
  if (!text) return;
  const std::string prefix = std::string(text) + ".";
  const std::string name = activity->GetName().str();
  const std::string digits = name.rfind(prefix, 0) == 0 ? name.substr(prefix.size()) : "";
  if (digits.empty() || digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) return;
  int& highest = _activityNumbers[text];
  highest = std::max(highest, std::stoi(digits));
}

void QIVDocument::ProductRenamed(QIVProduct* product, const QIVUnicodeString& previous) {
  _productsByName.Rename(previous, product->GetPrdInstanceName(), product);
}

void QIVDocument::RootProductLeaving(QIVProduct* product) {
  auto found = std::find(_rootProducts.begin(), _rootProducts.end(), product);
  if (found == _rootProducts.end()) return;
  _rootProducts.erase(found);
  ProductTreeChanged();
}

bool QIVDocument::ReferenceRenumbered(QIVProductReference* reference, const QIVUnicodeString& previous,
                                      const QIVUnicodeString& partNumber) {
  if (!partNumber.IsEmpty()) {
    auto taken = _referencesByPartNumber.find(partNumber.str());
    if (taken != _referencesByPartNumber.end() && taken->second != reference) return false;
  }
  auto found = _referencesByPartNumber.find(previous.str());
  if (found != _referencesByPartNumber.end() && found->second == reference) _referencesByPartNumber.erase(found);
  if (!partNumber.IsEmpty()) _referencesByPartNumber[partNumber.str()] = reference;
  return true;
}

void QIVDocument::FeatureRenamed(ZELBIWFeature* feature, const QIVUnicodeString& previous) {
  _featuresByName.Rename(previous, feature->GetAlias(), feature);
}

void QIVDocument::DatumRenamed(QIVTPSDatum* datum, const QIVUnicodeString& previous) {
  _datumsByName.Rename(previous, datum->GetName(), datum);
}

HRESULT QIVDocument::FindActivityByPath(const QIVListValQIVUnicodeString& names, QIVBaseUnknown_var& activity) const {
  activity = nullptr;
  if (names.IsEmpty() || !_processContainer) return E_FAIL;
  QIVSPPActivity* step = nullptr;
  for (QIVSPPActivity* root : _processContainer->Roots())
    if (root->GetName() == names[1]) {
      step = root;
      break;
    }
  for (int i = 2; step && i <= names.Size(); ++i) {
    QIVSPPActivity* next = nullptr;
    for (QIVSPPActivity* child : step->Children())
      if (child->GetName() == names[i]) {
        next = child;
        break;
      }
    step = next;
  }
  return QIVModelObject::Answer(step, activity);
}

HRESULT QIVDocument::FindProductByPath(const QIVListValQIVUnicodeString& names, QIVBaseUnknown_var& product) const {
  product = nullptr;
  if (names.IsEmpty()) return E_FAIL;
  auto root = std::find_if(_rootProducts.begin(), _rootProducts.end(),
                           [&](const QIVProduct* candidate) { return candidate->GetPrdInstanceName() == names[1]; });
  if (root == _rootProducts.end()) return E_FAIL;
  product = QIVModelObject::Handle(*root);
  for (int i = 2; product && i <= names.Size(); ++i) {
    QIVBaseUnknown_var child;
    QIVModelObject::As<QIVProduct>(product)->FindChildByInstanceName(names[i], child);
    product = child;
  }
  return product ? S_OK : E_FAIL;
}

HRESULT QIVDocument::FindFeatureByName(const QIVUnicodeString& name, QIVBaseUnknown_var& feature) const {
  if (ZELBIWFeature* found = _featuresByName.First(name)) return QIVModelObject::Answer(found, feature);
  return QIVModelObject::Answer(_datumsByName.First(name), feature);
}

QIVListValQIVBaseUnknown_var QIVDocument::FindFeaturesByName(const QIVUnicodeString& name) const {
  QIVListValQIVBaseUnknown_var features;
  for (ZELBIWFeature* feature : _featuresByName.All(name)) features.Append(QIVModelObject::Handle(feature));
  for (QIVTPSDatum* datum : _datumsByName.All(name)) features.Append(QIVModelObject::Handle(datum));
  return features;
}

HRESULT QIVDocument::GetActivityPath(const QIVBaseUnknown_var& activity, QIVListValQIVUnicodeString& names) const {
  names.RemoveAll();
  auto* step = QIVModelObject::As<QIVSPPActivity>(activity);
  if (!step || step->Document() != this) return E_INVALIDARG;
  for (; step; step = step->FatherActivity()) names.InsertAt(1, step->GetName());
  return S_OK;
}

HRESULT QIVDocument::GetProductPath(const QIVBaseUnknown_var& product, QIVListValQIVUnicodeString& names) const {
  names.RemoveAll();
  auto* step = QIVModelObject::As<QIVProduct>(product);
  if (!step || step->Document() != this) return E_INVALIDARG;
  for (; step; step = step->FatherProduct()) names.InsertAt(1, step->GetPrdInstanceName());
  return S_OK;
}

void QIVDocument::Close() {
  QIVObjectTable objects = std::move(_objects);
  _objects = QIVObjectTable();
  objects.ForEach([](QIVModelObject* object) { object->ClearLinks(); });
  _processContainer = nullptr;
  _featureContainer = nullptr;
  _plantLibrary = nullptr;
  _rootProducts.clear();
  _mfgAssemblies.Clear();
  _datums.Clear();
  _productsByName.Clear();
  _referencesByPartNumber.clear();
  _featuresByName.Clear();
  _datumsByName.Clear();
  _activityNumbers.clear();
  _productOrder.clear();
  _productOrderValid = false;
}
