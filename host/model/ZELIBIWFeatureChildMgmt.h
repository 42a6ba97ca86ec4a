#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// The children of a feature group, in order. Only groups answer it.
class ZELIBIWFeatureChildMgmt : public QIVInterface<ZELIBIWFeatureChildMgmt> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWFeatureChildMgmt";

  // With an interface name, only the children answering it.
  virtual HRESULT GetChildren(QIVListValQIVBaseUnknown_var& children, const char* interfaceName = nullptr) const = 0;
  virtual int GetChildrenCount() const = 0;
  // The first child whose alias is `name`; E_FAIL when none.
  virtual HRESULT FindChildByName(const QIVUnicodeString& name, QIVBaseUnknown_var& child) const = 0;
  // Moves a feature of the same container (or one built without a father)
  // to the end of the children; top groups and a group's own ancestors are
  // refused.
  virtual HRESULT AddChild(const QIVBaseUnknown_var& feature) = 0;
  // Deletes the child with everything below it.
  virtual HRESULT RemoveChild(const QIVBaseUnknown_var& feature) = 0;
};
using ZELIBIWFeatureChildMgmt_var = QIVVar<ZELIBIWFeatureChildMgmt>;
