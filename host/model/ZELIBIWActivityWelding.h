#pragma once

#include "QIVVar.h"

// Attributes of the point fastening activities (spot welding, stud welding,
// spot gluing, clinching).
class ZELIBIWActivityWelding : public QIVInterface<ZELIBIWActivityWelding> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWActivityWelding";

  // ["PointFasteningRate"] stored as seconds per fastener; editors show its
  // reciprocal, fasteners per second.
  virtual HRESULT GetPointFasteningRate(double& secondsPerFastener) const = 0;
  virtual HRESULT SetPointFasteningRate(double secondsPerFastener) = 0;
  // ["SpecifiedPointFasteners"]
  virtual HRESULT GetNumberOfSpecifiedPointFasteners(double& count) const = 0;
  virtual HRESULT SetNumberOfSpecifiedPointFasteners(double count) = 0;
  // Recomputes the cycle time from the assigned fasteners (ZELBIWCycleTime).
  virtual HRESULT Update() = 0;
};
using ZELIBIWActivityWelding_var = QIVVar<ZELIBIWActivityWelding>;
