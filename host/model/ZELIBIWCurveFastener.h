#pragma once

#include "QIVListVal.h"

// A curve fastener's points, each six numbers: x, y, z (millimetres) and
// three orientation values.
class ZELIBIWCurveFastener : public QIVInterface<ZELIBIWCurveFastener> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWCurveFastener";

  virtual HRESULT GetPoints(QIVListVal<QIVRawColldouble>& points) const = 0;
  // E_INVALIDARG when a point has not six numbers.
  virtual HRESULT SetPoints(const QIVListVal<QIVRawColldouble>& points) = 0;
  // Length of the polyline through the points, in millimetres.
  virtual double GetLength() const = 0;
};
using ZELIBIWCurveFastener_var = QIVVar<ZELIBIWCurveFastener>;
