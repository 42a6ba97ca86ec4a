#pragma once

#include "QIVVar.h"

// Marks a clamping activity; its only planning value is the cycle time of
// QIVISPPActivity.
class ZELIBIWActivityClamping : public QIVInterface<ZELIBIWActivityClamping> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWActivityClamping";
};
using ZELIBIWActivityClamping_var = QIVVar<ZELIBIWActivityClamping>;
