#pragma once

#include <array>
#include <vector>

#include "ZELBIWFastener.h"
#include "ZELIBIWPointFastener.h"
#include "ZELISpotWeld.h"

// A point fastener (a spot weld): nine settings, of which the first six are
// its design position, and an optional manufacturing position.
class ZELBIWPointFastener : public ZELBIWFastener, public ZELIBIWPointFastener, public ZELISpotWeld {
 public:
  const char* GetImplClassName() const override { return "ZELBIWPointFastener"; }
  const char* GetKindName() const override { return "PointFastener"; }

  HRESULT GetDesignPosition(QIVRawColldouble& position) const override;
  HRESULT SetDesignPosition(const QIVRawColldouble& position) override;
  HRESULT GetDesignPlacement(QIVMathTransformation& placement) const override;
  HRESULT GetManufacturingPosition(QIVRawColldouble& position) const override;
  HRESULT SetManufacturingPosition(const QIVRawColldouble& position, bool notify) override;

  HRESULT GetValue(int index, double& value) const override;
  HRESULT SetValue(int index, double value) override;
  HRESULT GetValues(QIVRawColldouble& values) const override;
  HRESULT SetValues(const QIVRawColldouble& values) override;

  // The settings and the manufacturing position (empty for none) in place,
  // for the document's writer.
  const std::array<double, SettingCount>& Values() const { return _values; }
  const std::vector<double>& ManufacturingPosition() const { return _manufacturingPosition.Get(); }

 private:
  std::array<double, SettingCount> _values{};
  QIVRare<std::vector<double>> _manufacturingPosition;
};
