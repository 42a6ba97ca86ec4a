#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// A clamping point: where a clamp holds a part in a station.
// Its parts are related through the feature container.
class ZELIBIWClampingPoint : public QIVInterface<ZELIBIWClampingPoint> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWClampingPoint";

  // x, y, z and three orientation values, as a point fastener's position.
  virtual HRESULT GetPosition(QIVRawColldouble& position) const = 0;
  virtual HRESULT SetPosition(const QIVRawColldouble& position) = 0;
  // A short description of the locator (for example "4-way pin").
  virtual QIVUnicodeString GetDescription() const = 0;
  virtual HRESULT SetDescription(const QIVUnicodeString& description) = 0;
  // Display colour as 0xRRGGBB, -1 for the default.
  virtual long GetColor() const = 0;
  virtual HRESULT SetColor(long rgb) = 0;
};
using ZELIBIWClampingPoint_var = QIVVar<ZELIBIWClampingPoint>;
