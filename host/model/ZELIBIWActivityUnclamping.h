#pragma once

#include "QIVVar.h"

// Marks a unclamping activity; its only planning value is the cycle time of
// QIVISPPActivity.
class ZELIBIWActivityUnclamping : public QIVInterface<ZELIBIWActivityUnclamping> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWActivityUnclamping";
};
using ZELIBIWActivityUnclamping_var = QIVVar<ZELIBIWActivityUnclamping>;
