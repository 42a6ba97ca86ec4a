#pragma once

#include "QIVIndexedList.h"
#include "QIVNameIndex.h"
#include "ZELBIWFeature.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureGroup.h"
#include "ZELIBIWTopClampingPointGroup.h"
#include "ZELIBIWTopFastenerGroup.h"
#include "ZELIBIWTopLocatingPointGroup.h"

// A group of features: one of the three top groups of the feature
// container, or a plain group (assembly joint, joint body). Children are
// indexed by alias, so a joint body finds one of its thousands of
// fasteners by name at once.
class ZELBIWFeatureGroup : public ZELBIWFeature,
                           public ZELIBIWFeatureGroup,
                           public ZELIBIWFeatureChildMgmt,
                           public ZELIBIWTopFastenerGroup,
                           public ZELIBIWTopLocatingPointGroup,
                           public ZELIBIWTopClampingPointGroup {
 public:
  enum Kind { TopFastenerGroup, TopLocatingPointGroup, TopClampingPointGroup, Group };

  explicit ZELBIWFeatureGroup(Kind kind) : _kind(kind), _childrenByName(&ZELBIWFeature::AliasOf) {}

  // The kind of that sub-kind name; false when there is none.
  static bool KindFromName(const QIVUnicodeString& name, Kind& kind);
  static const char* KindName(Kind kind);

  const char* GetImplClassName() const override { return "ZELBIWFeatureGroup"; }
  const char* GetKindName() const override { return "FeatureGroup"; }
  QIVUnicodeString GetSubKind() const override { return KindName(_kind); }

  HRESULT GetFasteners(QIVListValQIVBaseUnknown_var& fasteners, bool recursive) const override;
  HRESULT GetChildren(QIVListValQIVBaseUnknown_var& children, const char* interfaceName = nullptr) const override;
  int GetChildrenCount() const override { return _children.Size(); }
  HRESULT FindChildByName(const QIVUnicodeString& name, QIVBaseUnknown_var& child) const override;
  HRESULT AddChild(const QIVBaseUnknown_var& feature) override;
  HRESULT RemoveChild(const QIVBaseUnknown_var& feature) override;

  Kind GroupKind() const { return _kind; }
  bool IsTopGroup() const { return _kind != Group; }
  std::vector<ZELBIWFeature*> Children() const { return _children.Values(); }
  template <class F>
  void ForEachChild(F&& visit) const {
    _children.ForEach(visit);
  }
  // Places a feature (taken from its previous father) at the end.
  void AttachChild(ZELBIWFeature* child);
  void ChildRenamed(ZELBIWFeature* child, const QIVUnicodeString& previous);
  // Whether this group is `feature` or lies below it.
  bool IsWithin(const ZELBIWFeature* feature) const;

  void CollectOwned(std::vector<QIVModelObject*>& owned) const override;
  void ClearLinks() override;

 protected:
  bool Offers(std::string_view interfaceName) const override;
  void ChildLeaving(QIVModelObject* child) override;

 private:
  Kind _kind;
  QIVIndexedList<ZELBIWFeature*> _children;
  QIVNameIndex<ZELBIWFeature*> _childrenByName;
};
