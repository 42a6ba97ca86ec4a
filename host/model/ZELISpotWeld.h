#pragma once

#include "QIVListVal.h"

// The nine numeric settings of a spot weld, in this order:
//   1-3  location x, y, z (millimetres)
//   4-6  orientation roll, pitch, yaw (degrees)
//   7-9  direction of approach of the gun, dx, dy, dz
// Settings 1 to 6 are the point fastener's design position.
class ZELISpotWeld : public QIVInterface<ZELISpotWeld> {
 public:
  static constexpr const char* InterfaceName = "ZELISpotWeld";
  static constexpr int SettingCount = 9;

  // E_INVALIDARG for an index outside 1..9.
  virtual HRESULT GetValue(int index, double& value) const = 0;
  virtual HRESULT SetValue(int index, double value) = 0;
  virtual HRESULT GetValues(QIVRawColldouble& values) const = 0;
  // E_INVALIDARG unless nine numbers are given.
  virtual HRESULT SetValues(const QIVRawColldouble& values) = 0;
};
using ZELISpotWeld_var = QIVVar<ZELISpotWeld>;
