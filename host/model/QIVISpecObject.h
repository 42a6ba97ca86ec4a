#pragma once

#include "QIVVar.h"

// An object placed in the document's structure under a father (an activity
// under its parent, a feature under its group, an item link under its
// activity), which the father can remove.
class QIVISpecObject : public QIVInterface<QIVISpecObject> {
 public:
  static constexpr const char* InterfaceName = "QIVISpecObject";

  // E_FAIL when the object has no father.
  virtual HRESULT GetSpecFather(QIVBaseUnknown_var& father) const = 0;
  // Deletes `component`, which must have this object as father, together
  // with what it owns (an activity's children, a group's features). The
  // options are not used and may be empty.
  virtual HRESULT RemoveComponent(const QIVBaseUnknown_var& component, const QIVBaseUnknown_var& options) = 0;
};
using QIVISpecObject_var = QIVVar<QIVISpecObject>;
