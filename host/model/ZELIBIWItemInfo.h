#pragma once

#include "QIVISPPProductIO.h"
#include "QIVListVal.h"

// What a BIW activity knows of the products it works on. Offered by every
// BIW activity and only by them.
class ZELIBIWItemInfo : public QIVInterface<ZELIBIWItemInfo> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWItemInfo";

  // The activity's product inputs (direction 1) or outputs (0), as
  // QIVISPPFlowMgt gives them.
  virtual HRESULT GetProductIOs(QIVListValQIVBaseUnknown_var& productIOs, int direction = QIVSPPProductInput) const = 0;
  // The handled products: the activity's items that are products, and those
  // that are manufactured assemblies, each in item order.
  virtual HRESULT GetHandledParts(QIVListValQIVBaseUnknown_var& parts) const = 0;
  virtual HRESULT GetHandledAssemblies(QIVListValQIVBaseUnknown_var& assemblies) const = 0;
  // The products and assemblies assigned to the activity itself (items of
  // mode QIVSPPItemAssigned), as opposed to those handed on from the flow.
  virtual HRESULT GetAssignedProducts(QIVListValQIVBaseUnknown_var& products) const = 0;
};
using ZELIBIWItemInfo_var = QIVVar<ZELIBIWItemInfo>;
