#pragma once

#include "QIVListVal.h"
#include "QIVMathTransformation.h"

// A point fastener's positions, each as six numbers: x, y, z (millimetres)
// and roll, pitch, yaw (degrees, QIVMathTransformation).
class ZELIBIWPointFastener : public QIVInterface<ZELIBIWPointFastener> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWPointFastener";

  // Where the product's design puts the fastener.
  virtual HRESULT GetDesignPosition(QIVRawColldouble& position) const = 0;
  // E_INVALIDARG unless six numbers are given.
  virtual HRESULT SetDesignPosition(const QIVRawColldouble& position) = 0;
  virtual HRESULT GetDesignPlacement(QIVMathTransformation& placement) const = 0;

  // Where manufacturing places it; an empty list while none was set.
  virtual HRESULT GetManufacturingPosition(QIVRawColldouble& position) const = 0;
  // Six numbers, or an empty list to clear it; with `notify` the views are
  // asked to show the change.
  virtual HRESULT SetManufacturingPosition(const QIVRawColldouble& position, bool notify) = 0;
};
using ZELIBIWPointFastener_var = QIVVar<ZELIBIWPointFastener>;
