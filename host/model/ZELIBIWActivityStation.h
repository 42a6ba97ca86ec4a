#pragma once

#include "QIVVar.h"

// Planning attributes of a station (attribute names in brackets, as
// QIVISPPActivity::GetAttribute knows them).
class ZELIBIWActivityStation : public QIVInterface<ZELIBIWActivityStation> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWActivityStation";

  // ["SpecifiedPointFasteners"] number of point fasteners the station is specified for.
  virtual HRESULT GetNumberOfSpecifiedPointFasteners(double& count) const = 0;
  virtual HRESULT SetNumberOfSpecifiedPointFasteners(double count) = 0;
  // ["SpecifiedCurveFastenerLength"] millimetres of curve fasteners it is specified for.
  virtual HRESULT GetLengthOfSpecifiedCurveFasteners(double& length) const = 0;
  virtual HRESULT SetLengthOfSpecifiedCurveFasteners(double length) = 0;
  // ["EstimatedInvestmentCost"]
  virtual HRESULT GetEstimatedInvestmentCost(double& cost) const = 0;
  virtual HRESULT SetEstimatedInvestmentCost(double cost) = 0;
  // ["ProductExitRate"] products per hour.
  virtual HRESULT GetProductExitRate(double& rate) const = 0;
  virtual HRESULT SetProductExitRate(double rate) = 0;
};
using ZELIBIWActivityStation_var = QIVVar<ZELIBIWActivityStation>;
