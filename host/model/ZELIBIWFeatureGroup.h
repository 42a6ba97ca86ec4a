#pragma once

#include "QIVListVal.h"

// A group of BIW features: a top group, an assembly joint, a joint body.
class ZELIBIWFeatureGroup : public QIVInterface<ZELIBIWFeatureGroup> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWFeatureGroup";

  // The fasteners among the children, and with `recursive` those of every
  // group below, depth first in child order.
  virtual HRESULT GetFasteners(QIVListValQIVBaseUnknown_var& fasteners, bool recursive) const = 0;
};
using ZELIBIWFeatureGroup_var = QIVVar<ZELIBIWFeatureGroup>;
