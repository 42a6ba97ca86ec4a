#pragma once

#include "QIVListVal.h"
#include "QIVMathTransformation.h"
#include "QIVUnicodeString.h"

// A product instance of the product structure: its instance name, the
// reference it instantiates (with the part number), its children and its
// position.
class QIVIProduct : public QIVInterface<QIVIProduct> {
 public:
  static constexpr const char* InterfaceName = "QIVIProduct";

  virtual QIVUnicodeString GetPrdInstanceName() const = 0;
  virtual HRESULT SetPrdInstanceName(const QIVUnicodeString& name) = 0;
  // The part number of the reference; empty without a reference.
  virtual QIVUnicodeString GetPartNumber() const = 0;
  // The reference (QIVIProductReference); E_FAIL when there is none.
  virtual HRESULT GetReferenceProduct(QIVBaseUnknown_var& reference) const = 0;
  // A reference of the same document; an empty handle detaches the instance.
  virtual HRESULT SetReferenceProduct(const QIVBaseUnknown_var& reference) = 0;

  // The child products in order.
  virtual HRESULT GetChildren(QIVListValQIVBaseUnknown_var& children) const = 0;
  virtual int GetChildrenCount() const = 0;
  // E_FAIL for a root product.
  virtual HRESULT GetFatherProduct(QIVBaseUnknown_var& father) const = 0;
  // Moves a product of the same document (a root, or a child of another
  // product) to the end of the children; a product cannot go below itself.
  virtual HRESULT AddChild(const QIVBaseUnknown_var& product) = 0;
  // The first child with that instance name, or whose reference has that
  // part number; E_FAIL when none.
  virtual HRESULT FindChildByInstanceName(const QIVUnicodeString& name, QIVBaseUnknown_var& child) const = 0;
  virtual HRESULT FindChildByPartNumber(const QIVUnicodeString& partNumber, QIVBaseUnknown_var& child) const = 0;

  // Placement relative to the father product (to the world for a root).
  virtual HRESULT GetPosition(QIVMathTransformation& position) const = 0;
  virtual HRESULT SetPosition(const QIVMathTransformation& position) = 0;
  // Placement in the world: the fathers' positions composed with this one.
  virtual HRESULT GetAbsolutePosition(QIVMathTransformation& position) const = 0;
};
using QIVIProduct_var = QIVVar<QIVIProduct>;
