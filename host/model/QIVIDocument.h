#pragma once

#include <string>
#include <vector>

#include "QIVIModelObject.h"
#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// An open process document: the product structure, the product feature
// container with its fasteners and locators, the process container with
// its process root, the manufactured assemblies, the datums and the plant
// library. The document owns every object in it; links between objects do
// not own, and closing the document breaks them all.
class QIVIDocument : public QIVInterface<QIVIDocument> {
 public:
  static constexpr const char* InterfaceName = "QIVIDocument";

  virtual HRESULT GetProcessContainer(QIVBaseUnknown_var& container) const = 0;
  virtual HRESULT GetFeatureContainer(QIVBaseUnknown_var& container) const = 0;
  virtual HRESULT GetPlantLibrary(QIVBaseUnknown_var& library) const = 0;
  // The first process of the process container.
  virtual HRESULT GetRootActivity(QIVBaseUnknown_var& root) const = 0;

  // Products. GetAllProducts walks the tree depth first: each root followed
  // by its descendants in child order.
  virtual QIVListValQIVBaseUnknown_var GetRootProducts() const = 0;
  virtual QIVListValQIVBaseUnknown_var GetAllProducts() const = 0;
  // A product under `father` (a root when empty), instantiating the
  // reference of that part number, made when the document has none yet (no
  // reference for an empty part number).
  virtual HRESULT CreateProduct(const QIVBaseUnknown_var& father, const QIVUnicodeString& instanceName,
                                const QIVUnicodeString& partNumber, QIVBaseUnknown_var& product) = 0;
  // A product built without a father becomes the last root.
  virtual HRESULT AddRootProduct(const QIVBaseUnknown_var& product) = 0;
  virtual HRESULT FindReference(const QIVUnicodeString& partNumber, QIVBaseUnknown_var& reference) const = 0;
  // Products by instance name, and by their reference's part number, in
  // the order of GetAllProducts.
  virtual QIVListValQIVBaseUnknown_var FindProductsByInstanceName(const QIVUnicodeString& name) const = 0;
  virtual QIVListValQIVBaseUnknown_var FindProductsByPartNumber(const QIVUnicodeString& partNumber) const = 0;

  // Manufactured assemblies and datums, in the order they joined.
  virtual QIVListValQIVBaseUnknown_var GetMfgAssemblies() const = 0;
  virtual QIVListValQIVBaseUnknown_var GetDatums() const = 0;
  // `target` false makes a QIVITPSDatumSimple, true a QIVITPSDatumTarget.
  virtual HRESULT CreateDatum(bool target, const QIVUnicodeString& name, const QIVBaseUnknown_var& owner,
                              QIVBaseUnknown_var& datum) = 0;

  // Every object by its id, and every object in id order.
  virtual HRESULT FindObject(QIVObjectId id, QIVBaseUnknown_var& object) const = 0;
  virtual QIVListValQIVBaseUnknown_var GetAllObjects() const = 0;
  virtual int GetObjectCount() const = 0;
  // How many objects there are of each kind and sub-kind (GetKindName,
  // GetSubKind), ordered by kind, then sub-kind.
  struct KindCount {
    std::string kind;
    std::string subKind;
    int count = 0;
  };
  virtual std::vector<KindCount> CountObjectsByKind() const = 0;
  // Builds an object of a kind, without father or links, with the given id
  // (0 takes the next free one); a document reader then places it through
  // its interfaces. Kinds and sub-kinds:
  //   "ProcessContainer", "FeatureContainer", "PlantLibrary": the document's
  //       single containers, taken as such when the document has none yet;
  //   "Activity" with an instantiable activity type (QIVSPPActivityType);
  //   "Product", "ProductReference", "MfgAssembly";
  //   "FeatureGroup" with "TopFastenerGroup", "TopLocatingPointGroup",
  //       "TopClampingPointGroup" or "Group";
  //   "PointFastener", "CurveFastener";
  //   "Locator" with "LocatingPoint" or "ClampingPoint";
  //   "Datum" with "DatumSimple" or "DatumTarget".
  // E_INVALIDARG for an unknown kind or an id already taken.
  virtual HRESULT CreateObject(const QIVUnicodeString& kind, const QIVUnicodeString& subKind, QIVObjectId id,
                               QIVBaseUnknown_var& object) = 0;
  // Takes in an object built outside any document (a manufactured assembly
  // of a factory without document); S_FALSE when it is already in this one.
  virtual HRESULT Adopt(const QIVBaseUnknown_var& object) = 0;
  // Deletes an object with what it owns and every link to it.
  virtual HRESULT RemoveObject(const QIVBaseUnknown_var& object) = 0;

  // Lookups of the journal's object references. Paths are lists of names
  // from the outside in, the root's own name first.
  virtual HRESULT FindActivityByPath(const QIVListValQIVUnicodeString& names, QIVBaseUnknown_var& activity) const = 0;
  virtual HRESULT FindProductByPath(const QIVListValQIVUnicodeString& names, QIVBaseUnknown_var& product) const = 0;
  // Features (groups, fasteners, locators) by alias, the first in the order
  // they got the name; datums by name after them.
  virtual HRESULT FindFeatureByName(const QIVUnicodeString& name, QIVBaseUnknown_var& feature) const = 0;
  virtual QIVListValQIVBaseUnknown_var FindFeaturesByName(const QIVUnicodeString& name) const = 0;
  // The names from the root down to the object.
  virtual HRESULT GetActivityPath(const QIVBaseUnknown_var& activity, QIVListValQIVUnicodeString& names) const = 0;
  virtual HRESULT GetProductPath(const QIVBaseUnknown_var& product, QIVListValQIVUnicodeString& names) const = 0;

  // Breaks every link and lets go of every object; the document is empty
  // afterwards. Objects still held elsewhere stay alive, outside any
  // document.
  virtual void Close() = 0;
};
using QIVIDocument_var = QIVVar<QIVIDocument>;
