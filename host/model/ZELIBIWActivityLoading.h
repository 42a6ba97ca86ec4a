#pragma once

#include "QIVVar.h"

// Marks a loading activity; its only planning value is the cycle time of
// QIVISPPActivity.
class ZELIBIWActivityLoading : public QIVInterface<ZELIBIWActivityLoading> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWActivityLoading";
};
using ZELIBIWActivityLoading_var = QIVVar<ZELIBIWActivityLoading>;
