#pragma once

#include "QIVListVal.h"

// The document's product feature container (the compound container
// "ZELFPPContainer"): every BIW feature of the document.
class ZELIBIWFeatureContainer : public QIVInterface<ZELIBIWFeatureContainer> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWFeatureContainer";

  // Every feature, depth first: each top group followed by its descendants
  // in child order. With an interface name, only features answering it.
  virtual HRESULT GetFeatures(QIVListValQIVBaseUnknown_var& features, const char* interfaceName = nullptr) const = 0;
  virtual int GetFeatureCount() const = 0;
  // Makes a top group built without a father (QIVIDocument::CreateObject)
  // the container's top group of its kind; E_FAIL when it has one.
  virtual HRESULT AddTopGroup(const QIVBaseUnknown_var& group) = 0;
  // Closes a batch of feature changes (an import calls it at its end): the
  // container's generation number goes up, so views built on an older
  // generation know they must be read again.
  virtual HRESULT Update() = 0;
  virtual long GetGeneration() const = 0;
};
using ZELIBIWFeatureContainer_var = QIVVar<ZELIBIWFeatureContainer>;
