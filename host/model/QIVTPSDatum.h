#pragma once

#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "QIVModelObject.h"

class QIVProduct;

// A datum or a datum target (fixed at creation) of a product.
class QIVTPSDatum : public QIVModelObject, public QIVITPSDatumSimple, public QIVITPSDatumTarget {
 public:
  explicit QIVTPSDatum(bool target) : _target(target) {}
  ~QIVTPSDatum() override;

  const char* GetImplClassName() const override { return "QIVTPSDatum"; }
  IndexKind GetIndexKind() const override { return IndexKind::Datum; }
  const char* GetKindName() const override { return "Datum"; }
  QIVUnicodeString GetSubKind() const override { return _target ? "DatumTarget" : "DatumSimple"; }
  bool IsProcessItem() const override { return true; }

  QIVUnicodeString GetName() const override { return _name; }
  HRESULT SetName(const QIVUnicodeString& name) override;
  HRESULT GetOwnerProduct(QIVBaseUnknown_var& product) const override;
  HRESULT SetOwnerProduct(const QIVBaseUnknown_var& product) override;

  bool IsTarget() const { return _target; }

  void ReleaseLinks() override;
  void ForgetReference(QIVModelObject* target) override;
  void ClearLinks() override;

 protected:
  bool Offers(std::string_view interfaceName) const override;

 private:
  bool _target;
  QIVUnicodeString _name;
  QIVModelObject* _owner = nullptr;
};
