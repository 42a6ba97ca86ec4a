#pragma once

#include "QIVIAlias.h"
#include "QIVIModelEvents.h"
#include "QIVModelObject.h"
#include "ZELIBIWFeature.h"

// The common part of every BIW feature: alias, assignments, graphic
// representation and the parts it joins or locates (kept here, indexed and
// answered by the feature container), and the modification events its
// display changes raise.
class ZELBIWFeature : public QIVModelObject, public ZELIBIWFeature, public QIVIAlias, public QIVIModelEvents {
 public:
  ~ZELBIWFeature() override;

  bool IsProcessItem() const override { return true; }
  IndexKind GetIndexKind() const override { return IndexKind::Feature; }

  QIVUnicodeString GetAlias() const override { return _alias; }
  HRESULT SetAlias(const QIVUnicodeString& alias) override;
  // The alias without a copy, for the name indexes.
  static const QIVUnicodeString& AliasOf(ZELBIWFeature* feature) { return feature->_alias; }
  const QIVUnicodeString& Alias() const { return _alias; }

  HRESULT GetAssignedActivities(QIVListValQIVBaseUnknown_var& activities) const override;
  int GetNumberOfAssignments() const override;
  QIVUnicodeString GetGraphicRepresentation() const override { return _graphicRepresentation.Get(); }
  HRESULT SetGraphicRepresentation(const QIVUnicodeString& path) override;
  QIVUnicodeString GetPlanTypeName() const override { return _planTypeName.Get(); }
  HRESULT SetPlanTypeName(const QIVUnicodeString& name) override;

  HRESULT Dispatch(const QIVModify& event) override;

  const QIVModelLinks& RelatedParts() const { return _relatedParts; }
  // Relates or unrelates parts, keeping the container's index of part sets.
  void RelateParts(const std::vector<QIVModelObject*>& parts, bool link);

  void ReleaseLinks() override;
  void ForgetReference(QIVModelObject* target) override;
  void ClearLinks() override;

 protected:
  ZELBIWFeature() = default;

  // The display colour of fasteners and locators: 0xRRGGBB, -1 for the
  // default one; E_INVALIDARG for anything else.
  long Color() const { return _color; }
  HRESULT StoreColor(long rgb);

 private:
  long _color = -1;
  QIVUnicodeString _alias;
  QIVRare<QIVUnicodeString> _graphicRepresentation;
  QIVRare<QIVUnicodeString> _planTypeName;
  QIVModelLinks _relatedParts;
};
