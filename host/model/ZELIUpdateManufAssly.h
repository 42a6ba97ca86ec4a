#pragma once

#include "QIVVar.h"

// Offered by process roots: whether the manufactured assemblies of the
// process are updated automatically after each change of the flow.
class ZELIUpdateManufAssly : public QIVInterface<ZELIUpdateManufAssly> {
 public:
  static constexpr const char* InterfaceName = "ZELIUpdateManufAssly";

  virtual bool IsAutomaticUpdate() const = 0;
  virtual HRESULT SetAutomaticUpdate(bool automatic) = 0;
};
using ZELIUpdateManufAssly_var = QIVVar<ZELIUpdateManufAssly>;
