#pragma once

#include <array>
#include <vector>

#include "ZELBIWFastener.h"
#include "ZELIBIWCurveFastener.h"

// A curve fastener (a seam of arc weld, adhesive or sealant): its points.
class ZELBIWCurveFastener : public ZELBIWFastener, public ZELIBIWCurveFastener {
 public:
  const char* GetImplClassName() const override { return "ZELBIWCurveFastener"; }
  const char* GetKindName() const override { return "CurveFastener"; }

  HRESULT GetPoints(QIVListVal<QIVRawColldouble>& points) const override;
  HRESULT SetPoints(const QIVListVal<QIVRawColldouble>& points) override;

  // The points in place, for the document's writer.
  const std::vector<std::array<double, 6>>& Points() const { return _points; }
  double GetLength() const override;

 private:
  std::vector<std::array<double, 6>> _points;
};
