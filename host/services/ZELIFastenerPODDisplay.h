#pragma once

#include "QIVListVal.h"

// An identifier display of the 3D view: the labels written next to the
// fasteners of one request (ZELFastenerDisplay::CreateVisualizationR7WeldList).
// A planner can pick it in the view to take its fasteners again.
class ZELIFastenerPODDisplay : public QIVInterface<ZELIFastenerPODDisplay> {
 public:
  static constexpr const char* InterfaceName = "ZELIFastenerPODDisplay";

  // The fasteners it labels, in the order asked, each once.
  virtual HRESULT GetFasteners(QIVListValQIVBaseUnknown_var& fasteners) const = 0;
};
using ZELIFastenerPODDisplay_var = QIVVar<ZELIFastenerPODDisplay>;
