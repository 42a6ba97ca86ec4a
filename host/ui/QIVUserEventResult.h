#pragma once

#include <string>

#include "QIVStatus.h"

// The outcome of a user event played on a widget: success, or a failure
// status with the reason a person would have seen (the widget is greyed
// out, hidden, the row does not exist).
struct QIVUserEventResult {
  HRESULT rc = S_OK;
  std::string reason;

  static QIVUserEventResult Done() { return {}; }
  static QIVUserEventResult Refused(std::string why) { return {E_FAIL, std::move(why)}; }

  bool Succeeded() const { return SUCCEEDED(rc); }
  explicit operator bool() const { return Succeeded(); }
};
