#pragma once

#include "QIVVar.h"

// Planning attributes of a grouping (attribute names in brackets).
class ZELIBIWActivityGrouping : public QIVInterface<ZELIBIWActivityGrouping> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWActivityGrouping";

  // ["SpecifiedPointFasteners"]
  virtual HRESULT GetNumberOfSpecifiedPointFasteners(double& count) const = 0;
  virtual HRESULT SetNumberOfSpecifiedPointFasteners(double count) = 0;
  // ["SpecifiedCurveFastenerLength"] millimetres.
  virtual HRESULT GetLengthOfSpecifiedCurveFasteners(double& length) const = 0;
  virtual HRESULT SetLengthOfSpecifiedCurveFasteners(double length) = 0;
  // ["GoalInvestmentCost"]
  virtual HRESULT GetGoalInvestmentCost(double& cost) const = 0;
  virtual HRESULT SetGoalInvestmentCost(double cost) = 0;
  // ["ProductExitRate"] products per hour; new stations and groupings below
  // a grouping take it over.
  virtual HRESULT GetProductExitRate(double& rate) const = 0;
  virtual HRESULT SetProductExitRate(double rate) = 0;
};
using ZELIBIWActivityGrouping_var = QIVVar<ZELIBIWActivityGrouping>;
