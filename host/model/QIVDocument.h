#pragma once

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "QIVIDocument.h"
#include "QIVIndexedList.h"
#include "QIVInit.h"
#include "QIVModelObject.h"
#include "QIVNameIndex.h"
#include "QIVObjectTable.h"

class QIVPlantLibrary;
class QIVProduct;
class QIVProductReference;
class QIVSPPActivity;
class QIVSPPProcessContainer;
class QIVTPSDatum;
class ZELBIWFeature;
class ZELBIWFeatureContainer;
class ZELMfgAssembly;
struct QIVSPPActivityType;

// The process document. It holds the one owning reference to each of its
// objects, by id, and the indexes that find them by name.
class QIVDocument : public QIVIDocument, public QIVInit {
 public:
  // A new document: a process container whose root is a process named
  // "Process", an empty product feature container and plant library, no
  // products.
  static QIVIDocument_var New();
  // A document with nothing in it, for readers that build every object
  // with its saved id (QIVIDocument::CreateObject).
  static QIVIDocument_var NewEmpty();

  QIVDocument();
  ~QIVDocument() override;

  const char* GetImplClassName() const override { return "QIVDocument"; }

  HRESULT GetRootContainer(const QIVUnicodeString& type, QIVBaseUnknown_var& container) const override;

  HRESULT GetProcessContainer(QIVBaseUnknown_var& container) const override;
  HRESULT GetFeatureContainer(QIVBaseUnknown_var& container) const override;
  HRESULT GetPlantLibrary(QIVBaseUnknown_var& library) const override;
  HRESULT GetRootActivity(QIVBaseUnknown_var& root) const override;

  QIVListValQIVBaseUnknown_var GetRootProducts() const override;
  QIVListValQIVBaseUnknown_var GetAllProducts() const override;
  HRESULT CreateProduct(const QIVBaseUnknown_var& father, const QIVUnicodeString& instanceName,
                        const QIVUnicodeString& partNumber, QIVBaseUnknown_var& product) override;
  HRESULT AddRootProduct(const QIVBaseUnknown_var& product) override;
  HRESULT FindReference(const QIVUnicodeString& partNumber, QIVBaseUnknown_var& reference) const override;
  QIVListValQIVBaseUnknown_var FindProductsByInstanceName(const QIVUnicodeString& name) const override;
  QIVListValQIVBaseUnknown_var FindProductsByPartNumber(const QIVUnicodeString& partNumber) const override;

  QIVListValQIVBaseUnknown_var GetMfgAssemblies() const override;
  QIVListValQIVBaseUnknown_var GetDatums() const override;
  HRESULT CreateDatum(bool target, const QIVUnicodeString& name, const QIVBaseUnknown_var& owner,
                      QIVBaseUnknown_var& datum) override;

  HRESULT FindObject(QIVObjectId id, QIVBaseUnknown_var& object) const override;
  QIVListValQIVBaseUnknown_var GetAllObjects() const override;
  int GetObjectCount() const override { return static_cast<int>(_objects.Size()); }
  std::vector<KindCount> CountObjectsByKind() const override;
  HRESULT CreateObject(const QIVUnicodeString& kind, const QIVUnicodeString& subKind, QIVObjectId id,
                       QIVBaseUnknown_var& object) override;
  HRESULT Adopt(const QIVBaseUnknown_var& object) override;
  HRESULT RemoveObject(const QIVBaseUnknown_var& object) override;

  HRESULT FindActivityByPath(const QIVListValQIVUnicodeString& names, QIVBaseUnknown_var& activity) const override;
  HRESULT FindProductByPath(const QIVListValQIVUnicodeString& names, QIVBaseUnknown_var& product) const override;
  HRESULT FindFeatureByName(const QIVUnicodeString& name, QIVBaseUnknown_var& feature) const override;
  QIVListValQIVBaseUnknown_var FindFeaturesByName(const QIVUnicodeString& name) const override;
  HRESULT GetActivityPath(const QIVBaseUnknown_var& activity, QIVListValQIVUnicodeString& names) const override;
  HRESULT GetProductPath(const QIVBaseUnknown_var& product, QIVListValQIVUnicodeString& names) const override;

  void Close() override;

  // For the readers that build a saved document: a new object of the kind
  // and sub-kind (QIVIDocument::CreateObject) outside any document, empty
  // for one the model does not know; the object with an id, null for none.
  static QIVVar<QIVModelObject> MakeObject(std::string_view kind, std::string_view subKind);
  QIVModelObject* ObjectWithId(QIVObjectId id) const { return _objects.Find(id); }
  // Every object in id order, as GetAllObjects lists them, without a handle
  // each.
  template <class Visit>
  void ForEachObject(Visit&& visit) const {
    _objects.ForEach(visit);
  }

  // For the model objects.
  // Takes the object in with that id (0: the next free one); false when the
  // id is taken or the object is in a document already.
  bool Register(QIVModelObject* object, QIVObjectId id = 0);
  HRESULT AdoptObject(QIVModelObject* object);
  // Deletes an object with what it owns and every link to it.
  HRESULT Delete(QIVModelObject* object);
  // A new activity of the type without father, named `name` or, without
  // one, after its type.
  QIVSPPActivity* NewActivity(const QIVSPPActivityType& type, const QIVUnicodeString& name = "");
  void ActivityNamed(const QIVSPPActivity* activity);
  void ProductRenamed(QIVProduct* product, const QIVUnicodeString& previous);
  void RootProductLeaving(QIVProduct* product);
  bool IsInProductTree(const QIVProduct* product) const;
  void ProductTreeChanged() { _productOrderValid = false; }
  // False when another reference has that part number.
  bool ReferenceRenumbered(QIVProductReference* reference, const QIVUnicodeString& previous,
                           const QIVUnicodeString& partNumber);
  void FeatureRenamed(ZELBIWFeature* feature, const QIVUnicodeString& previous);
  void DatumRenamed(QIVTPSDatum* datum, const QIVUnicodeString& previous);
  ZELBIWFeatureContainer* FeatureContainerObject() const { return _featureContainer; }
  QIVSPPProcessContainer* ProcessContainerObject() const { return _processContainer; }

 private:
  void Index(QIVModelObject* object);
  void Unindex(QIVModelObject* object);
  // Products in the order of GetAllProducts.
  void SortByProductOrder(std::vector<QIVProduct*>& products) const;
  QIVListValQIVBaseUnknown_var Handles(const std::vector<QIVProduct*>& products) const;

  QIVObjectTable _objects;
  QIVObjectId _nextId = 1;
  QIVSPPProcessContainer* _processContainer = nullptr;
  ZELBIWFeatureContainer* _featureContainer = nullptr;
  QIVPlantLibrary* _plantLibrary = nullptr;
  std::vector<QIVProduct*> _rootProducts;
  QIVIndexedList<ZELMfgAssembly*> _mfgAssemblies;
  QIVIndexedList<QIVTPSDatum*> _datums;
  QIVNameIndex<QIVProduct*> _productsByName;
  std::unordered_map<std::string, QIVProductReference*> _referencesByPartNumber;
  QIVNameIndex<ZELBIWFeature*> _featuresByName;
  QIVNameIndex<QIVTPSDatum*> _datumsByName;
  std::unordered_map<std::string, int> _activityNumbers;
  mutable std::unordered_map<const QIVProduct*, int> _productOrder;
  mutable bool _productOrderValid = false;
};
