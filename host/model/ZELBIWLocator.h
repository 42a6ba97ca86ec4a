#pragma once

#include <array>

#include "ZELBIWFeature.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWLocatingPoint.h"

// A locating point or a clamping point (fixed at creation).
class ZELBIWLocator : public ZELBIWFeature, public ZELIBIWLocatingPoint, public ZELIBIWClampingPoint {
 public:
  explicit ZELBIWLocator(bool clamping) : _clamping(clamping) {}

  const char* GetImplClassName() const override { return "ZELBIWLocator"; }
  const char* GetKindName() const override { return "Locator"; }
  QIVUnicodeString GetSubKind() const override { return _clamping ? "ClampingPoint" : "LocatingPoint"; }

  HRESULT GetPosition(QIVRawColldouble& position) const override;
  HRESULT SetPosition(const QIVRawColldouble& position) override;
  QIVUnicodeString GetDescription() const override { return _description; }
  HRESULT SetDescription(const QIVUnicodeString& description) override;
  long GetColor() const override { return Color(); }
  HRESULT SetColor(long rgb) override;

  bool IsClamping() const { return _clamping; }

 protected:
  bool Offers(std::string_view interfaceName) const override;

 private:
  bool _clamping;
  std::array<double, 6> _position{};
  QIVUnicodeString _description;
};
