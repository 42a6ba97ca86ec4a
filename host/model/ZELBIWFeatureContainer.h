#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "QIVModelObject.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIBIWFeaturePartRelations.h"

class ZELBIWFeature;
class ZELBIWFeatureGroup;

// The product feature container: its top groups, the feature factory, and
// the part relations of every feature, with an index of features by the
// exact set of parts they relate (how the weld import finds the assembly
// joint of a record among thousands).
class ZELBIWFeatureContainer : public QIVModelObject,
                               public ZELIBIWFPPFactory,
                               public ZELIBIWFeatureContainer,
                               public ZELIBIWFeaturePartRelations {
 public:
  const char* GetImplClassName() const override { return "ZELBIWFeatureContainer"; }
  IndexKind GetIndexKind() const override { return IndexKind::FeatureContainer; }
  const char* GetKindName() const override { return "FeatureContainer"; }

  HRESULT GetTopGroup(QIVBaseUnknown_var& top) override;
  HRESULT CreateGroup(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& group) override;
  HRESULT CreatePointFastener(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& fastener) override;
  HRESULT CreateCurveFastener(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& fastener) override;
  HRESULT GetTopLocatingPointGroup(QIVBaseUnknown_var& top) override;
  HRESULT GetTopClampingPointGroup(QIVBaseUnknown_var& top) override;
  HRESULT CreateLocatingPoint(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& point) override;
  HRESULT CreateClampingPoint(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& point) override;

  HRESULT GetFeatures(QIVListValQIVBaseUnknown_var& features, const char* interfaceName = nullptr) const override;
  int GetFeatureCount() const override;
  HRESULT AddTopGroup(const QIVBaseUnknown_var& group) override;
  HRESULT Update() override;
  long GetGeneration() const override { return _generation; }

  HRESULT SetRelatedParts(const QIVBaseUnknown_var& feature, const QIVListValQIVBaseUnknown_var& parts,
                          bool link) override;
  HRESULT GetRelatedParts(const QIVBaseUnknown_var& feature, QIVListValQIVBaseUnknown_var& parts) const override;
  HRESULT GetRelatedFeatures(const QIVBaseUnknown_var& part, QIVListValQIVBaseUnknown_var& features) const override;
  HRESULT FindFeaturesJoiningParts(const QIVListValQIVBaseUnknown_var& parts,
                                   QIVListValQIVBaseUnknown_var& features) const override;

  const std::vector<ZELBIWFeatureGroup*>& TopGroups() const { return _topGroups; }

  void IndexParts(ZELBIWFeature* feature);
  void UnindexParts(ZELBIWFeature* feature);

  void CollectOwned(std::vector<QIVModelObject*>& owned) const override;
  void ClearLinks() override;

 protected:
  void ChildLeaving(QIVModelObject* child) override;

 private:
  HRESULT GetTop(int kind, QIVBaseUnknown_var& top);
  // A new feature as the last child of `father`, a group of this container.
  HRESULT CreateIn(const QIVBaseUnknown_var& father, QIVVar<ZELBIWFeature> feature, QIVBaseUnknown_var& created);
  ZELBIWFeatureGroup* TopGroupOfKind(int kind) const;

  std::vector<ZELBIWFeatureGroup*> _topGroups;
  std::unordered_map<std::string, std::vector<ZELBIWFeature*>> _byPartSet;
  long _generation = 0;
};
