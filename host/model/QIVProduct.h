#pragma once

#include <vector>

#include "QIVIPlantObject.h"
#include "QIVIProduct.h"
#include "QIVModelObject.h"
#include "QIVNameIndex.h"

class QIVProductReference;

// A product instance. Its children are indexed by instance name and by
// part number, so a path of names resolves in constant time per step
// whatever the width of the tree.
class QIVProduct : public QIVModelObject, public QIVIProduct, public QIVIPlantObject {
 public:
  ~QIVProduct() override;

  const char* GetImplClassName() const override { return "QIVProduct"; }
  IndexKind GetIndexKind() const override { return IndexKind::Product; }
  const char* GetKindName() const override { return "Product"; }
  bool IsProcessItem() const override { return true; }

  QIVUnicodeString GetPrdInstanceName() const override { return _instanceName; }
  HRESULT SetPrdInstanceName(const QIVUnicodeString& name) override;
  QIVUnicodeString GetPartNumber() const override;
  HRESULT GetReferenceProduct(QIVBaseUnknown_var& reference) const override;
  HRESULT SetReferenceProduct(const QIVBaseUnknown_var& reference) override;
  HRESULT GetChildren(QIVListValQIVBaseUnknown_var& children) const override;
  int GetChildrenCount() const override { return static_cast<int>(_children.size()); }
  HRESULT GetFatherProduct(QIVBaseUnknown_var& father) const override;
  HRESULT AddChild(const QIVBaseUnknown_var& product) override;
  HRESULT FindChildByInstanceName(const QIVUnicodeString& name, QIVBaseUnknown_var& child) const override;
  HRESULT FindChildByPartNumber(const QIVUnicodeString& partNumber, QIVBaseUnknown_var& child) const override;
  QIVUnicodeString GetPlantType() const override { return _plantType; }
  HRESULT SetPlantType(const QIVUnicodeString& plantType) override {
    _plantType = plantType;
    return S_OK;
  }
  HRESULT GetPosition(QIVMathTransformation& position) const override;
  HRESULT SetPosition(const QIVMathTransformation& position) override;
  HRESULT GetAbsolutePosition(QIVMathTransformation& position) const override;

  const std::vector<QIVProduct*>& Children() const { return _children; }
  QIVProduct* FatherProduct() const;
  QIVProductReference* Reference() const { return _reference; }
  // The reference changed its part number: the father's index follows.
  void PartNumberChanged(const QIVUnicodeString& from);

  void CollectOwned(std::vector<QIVModelObject*>& owned) const override;
  void DetachFromFather() override;
  void ReleaseLinks() override;
  void ForgetReference(QIVModelObject* target) override;
  void ClearLinks() override;

 protected:
  void ChildLeaving(QIVModelObject* child) override;

 private:
  void AttachChild(QIVProduct* child);

  QIVUnicodeString _instanceName;
  QIVUnicodeString _plantType;
  QIVProductReference* _reference = nullptr;
  QIVMathTransformation _position;
  std::vector<QIVProduct*> _children;
  QIVNameIndex<QIVProduct*> _childrenByName;
  QIVNameIndex<QIVProduct*> _childrenByPartNumber;
};
