#pragma once

#include "QIVListVal.h"

// A process item: an object an activity can process (a product, a
// manufactured assembly, a BIW feature, a datum).
class QIVISPPItem : public QIVInterface<QIVISPPItem> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPItem";

  // The activities that hold this object as an item, in the order the item
  // was added to them; mode 0 takes every item link, 1 or 2 only links of
  // that mode (see QIVISPPItemMgt).
  virtual HRESULT GetProcessingActivities(QIVListValQIVBaseUnknown_var& activities, int mode = 0) const = 0;
};
using QIVISPPItem_var = QIVVar<QIVISPPItem>;
