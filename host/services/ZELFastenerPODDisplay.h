#pragma once

#include "ZELIFastenerPODDisplay.h"

// The identifier display a session keeps for one request; it holds its
// fasteners as the view holds the objects it draws.
class ZELFastenerPODDisplay : public ZELIFastenerPODDisplay {
 public:
  explicit ZELFastenerPODDisplay(QIVListValQIVBaseUnknown_var fasteners) : _fasteners(std::move(fasteners)) {}

  const char* GetImplClassName() const override { return "ZELFastenerPODDisplay"; }

  HRESULT GetFasteners(QIVListValQIVBaseUnknown_var& fasteners) const override {
    fasteners = _fasteners;
    return S_OK;
  }
  const QIVListValQIVBaseUnknown_var& Fasteners() const { return _fasteners; }

 private:
  QIVListValQIVBaseUnknown_var _fasteners;
};
