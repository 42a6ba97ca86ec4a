#pragma once

#include "QIVVar.h"

// An activity of type "DynamicActivity" stands in the tree for another
// activity; commands that get one work on the activity it stands for.
class QIVISPPDynamicActivity : public QIVInterface<QIVISPPDynamicActivity> {
 public:
  static constexpr const char* InterfaceName = "QIVISPPDynamicActivity";

  // E_FAIL while it stands for nothing.
  virtual HRESULT GetActivity(QIVBaseUnknown_var& activity) const = 0;
  // An activity of the same document; an empty handle clears it.
  virtual HRESULT SetActivity(const QIVBaseUnknown_var& activity) = 0;
};
using QIVISPPDynamicActivity_var = QIVVar<QIVISPPDynamicActivity>;
