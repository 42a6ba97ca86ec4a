#pragma once

#include "QIVVar.h"

// Marks the top group of the clamping points (a ZELIBIWFeatureGroup).
class ZELIBIWTopClampingPointGroup : public QIVInterface<ZELIBIWTopClampingPointGroup> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWTopClampingPointGroup";
};
using ZELIBIWTopClampingPointGroup_var = QIVVar<ZELIBIWTopClampingPointGroup>;
