#pragma once

#include "ZELVekBIWFastenerReportCmd.h"

// Tells in which joint body and assembly joint the picked fastener stands,
// and how many fasteners its joint body holds.
class ZELVekBIWFastenersGroupCmd : public ZELVekBIWFastenerReportCmd {
 public:
  ZELVekBIWFastenersGroupCmd();

 protected:
  bool Describe(const QIVBaseUnknown_var& fastener, QIVUnicodeString (&params)[4], int& count) const override;
  const char* MessageDefault() const override {
    return "/p1 belongs to the joint body /p2 of /p3, which holds /p4 fastener(s).";
  }
  const char* TitleDefault() const override { return "Fastener group"; }
};
