#pragma once

#include "QIVVar.h"

// Creation of BIW features, offered by the product feature container. The
// fastener structure is: the top fastener group, assembly joints under it
// (one per set of joined parts), joint bodies under a joint, fasteners in a
// joint body. Locating and clamping points live under their own top groups.
// Each E_INVALIDARG when `father` is not a group of the container.
class ZELIBIWFPPFactory : public QIVInterface<ZELIBIWFPPFactory> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWFPPFactory";

  // The top fastener group (ZELIBIWTopFastenerGroup), made on first request.
  virtual HRESULT GetTopGroup(QIVBaseUnknown_var& top) = 0;
  // A new, unnamed group as the last child of `father`.
  virtual HRESULT CreateGroup(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& group) = 0;
  virtual HRESULT CreatePointFastener(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& fastener) = 0;
  virtual HRESULT CreateCurveFastener(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& fastener) = 0;

  virtual HRESULT GetTopLocatingPointGroup(QIVBaseUnknown_var& top) = 0;
  virtual HRESULT GetTopClampingPointGroup(QIVBaseUnknown_var& top) = 0;
  virtual HRESULT CreateLocatingPoint(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& point) = 0;
  virtual HRESULT CreateClampingPoint(const QIVBaseUnknown_var& father, QIVBaseUnknown_var& point) = 0;
};
using ZELIBIWFPPFactory_var = QIVVar<ZELIBIWFPPFactory>;
