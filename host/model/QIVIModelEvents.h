#pragma once

#include "QIVVar.h"

// A change of an object that views must show again: the object itself.
struct QIVModify {
  QIVBaseUnknown_var object;
};

// How a model object tells its session and views that it changed: the
// session hears a modification of the object ("feature modified NAME" in
// the transcript) and files it in the running command's outcome.
class QIVIModelEvents : public QIVInterface<QIVIModelEvents> {
 public:
  static constexpr const char* InterfaceName = "QIVIModelEvents";

  virtual HRESULT Dispatch(const QIVModify& event) = 0;
};
using QIVIModelEvents_var = QIVVar<QIVIModelEvents>;
