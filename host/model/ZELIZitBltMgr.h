#pragma once

#include "QIVVar.h"

// Offered by activities that keep a build-up of their children's planning
// data; editors ask it to refresh after a child changed.
class ZELIZitBltMgr : public QIVInterface<ZELIZitBltMgr> {
 public:
  static constexpr const char* InterfaceName = "ZELIZitBltMgr";

  virtual HRESULT Update() = 0;
};
using ZELIZitBltMgr_var = QIVVar<ZELIZitBltMgr>;
