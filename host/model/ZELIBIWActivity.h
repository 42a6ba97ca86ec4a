#pragma once

#include "QIVVar.h"

// A BIW activity's judgement of what may become its item:
// - products and manufactured assemblies suit every BIW activity;
// - fasteners suit the fastening activity of their type (ZELBIWFastenerType);
// - locating points and datums suit stations, groupings and loading;
// - clamping points suit stations, groupings, clamping and unclamping.
class ZELIBIWActivity : public QIVInterface<ZELIBIWActivity> {
 public:
  static constexpr const char* InterfaceName = "ZELIBIWActivity";

  // S_OK when the item suits the activity, E_FAIL otherwise.
  virtual HRESULT IsValidItem(const QIVBaseUnknown_var& item) const = 0;
};
using ZELIBIWActivity_var = QIVVar<ZELIBIWActivity>;
