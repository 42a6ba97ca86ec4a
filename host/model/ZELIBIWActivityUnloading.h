#pragma once

#include "QIVVar.h"

// Marks a unloading activity; its only planning value is the cycle time of
// QIVISPPActivity.
class ZELIBIWActivityUnloading : public QIVInterface<ZELIBIWActivityUnloading> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWActivityUnloading";
};
using ZELIBIWActivityUnloading_var = QIVVar<ZELIBIWActivityUnloading>;
