#pragma once

#include "QIVVar.h"

// Marks the top group of the locating points (a ZELIBIWFeatureGroup).
class ZELIBIWTopLocatingPointGroup : public QIVInterface<ZELIBIWTopLocatingPointGroup> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWTopLocatingPointGroup";
};
using ZELIBIWTopLocatingPointGroup_var = QIVVar<ZELIBIWTopLocatingPointGroup>;
