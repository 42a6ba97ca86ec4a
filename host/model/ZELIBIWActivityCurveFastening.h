#pragma once

#include "QIVVar.h"

// Attributes of the curve fastening activities (arc welding, adhesive and
// sealant application).
class ZELIBIWActivityCurveFastening : public QIVInterface<ZELIBIWActivityCurveFastening> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWActivityCurveFastening";

  // ["FastenerProductionRate"] millimetres of fastener per second.
  virtual HRESULT GetFastenerProductionRate(double& millimetresPerSecond) const = 0;
  virtual HRESULT SetFastenerProductionRate(double millimetresPerSecond) = 0;
  // ["SpecifiedCurveFastenerLength"] millimetres.
  virtual HRESULT GetLengthOfSpecifiedCurveFasteners(double& length) const = 0;
  virtual HRESULT SetLengthOfSpecifiedCurveFasteners(double length) = 0;
  // Recomputes the cycle time from the assigned fasteners (ZELBIWCycleTime).
  virtual HRESULT Update() = 0;
};
using ZELIBIWActivityCurveFastening_var = QIVVar<ZELIBIWActivityCurveFastening>;
