#pragma once

#include "QIVVar.h"

// Marks the top group of the fasteners (a ZELIBIWFeatureGroup).
class ZELIBIWTopFastenerGroup : public QIVInterface<ZELIBIWTopFastenerGroup> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWTopFastenerGroup";
};
using ZELIBIWTopFastenerGroup_var = QIVVar<ZELIBIWTopFastenerGroup>;
