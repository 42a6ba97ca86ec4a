#pragma once

#include "QIVListVal.h"

// The parts (products) that BIW features join or locate, held by the
// product feature container for all its features.
class ZELIBIWFeaturePartRelations : public QIVInterface<ZELIBIWFeaturePartRelations> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWFeaturePartRelations";

  // With `link` true, relates the feature to each part not yet related; with
  // false, removes those relations.
  virtual HRESULT SetRelatedParts(const QIVBaseUnknown_var& feature, const QIVListValQIVBaseUnknown_var& parts,
                                  bool link) = 0;
  // The parts of the feature in the order they were related.
  virtual HRESULT GetRelatedParts(const QIVBaseUnknown_var& feature, QIVListValQIVBaseUnknown_var& parts) const = 0;
  // The features related to a part, in the order they were related.
  virtual HRESULT GetRelatedFeatures(const QIVBaseUnknown_var& part,
                                     QIVListValQIVBaseUnknown_var& features) const = 0;
  // The features related to exactly these parts (in any order), in the
  // order they were created.
  virtual HRESULT FindFeaturesJoiningParts(const QIVListValQIVBaseUnknown_var& parts,
                                           QIVListValQIVBaseUnknown_var& features) const = 0;
};
using ZELIBIWFeaturePartRelations_var = QIVVar<ZELIBIWFeaturePartRelations>;
