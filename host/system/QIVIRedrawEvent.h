#pragma once

#include "QIVVar.h"

// Asks the views showing an object to draw it again: an activity whose
// outputs changed, a manufactured assembly whose parts changed, or a whole
// viewer after its selection changed. Headless there is nothing to paint,
// so the request is an event of the current session: its transcript shows
// "redraw KIND "NAME"" and the running command's outcome lists the object.
class QIVIRedrawEvent : public QIVInterface<QIVIRedrawEvent> {
 public:
  static constexpr const char* InterfaceName = "QIVIRedrawEvent";

  virtual HRESULT Redraw() = 0;
};
using QIVIRedrawEvent_var = QIVVar<QIVIRedrawEvent>;
