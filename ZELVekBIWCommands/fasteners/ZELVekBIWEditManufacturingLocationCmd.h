#pragma once

#include "ZELVekBIWFastenerReportCmd.h"

// Shows where the picked point fastener stands in the design and where
// manufacturing places it.
class ZELVekBIWEditManufacturingLocationCmd : public ZELVekBIWFastenerReportCmd {
 public:
  ZELVekBIWEditManufacturingLocationCmd();

 protected:
  bool Describe(const QIVBaseUnknown_var& fastener, QIVUnicodeString (&params)[4], int& count) const override;
  const char* MessageDefault() const override { return "/p1\nDesign position: /p2\nManufacturing position: /p3"; }
  const char* TitleDefault() const override { return "Manufacturing location"; }
};
