#pragma once

#include "QIVTrace.h"
#include "QIVUnicodeString.h"

// The module's trace, built when the module loads (null before).
extern QIVTrace* ZELBIWCmdTrace;

// Writes one line to the module's trace.
void ZELTraceLine(const QIVUnicodeString& line);

// Traces a method: "Class::Method --> IN" when built and
// "Class::Method <-- OUT" when left, so every return writes its line. The
// older style writes " --- in" and " --- out" instead.
class ZELTraceScope {
 public:
  enum Style { Arrows, Dashes };

  ZELTraceScope(const char* className, const char* methodName, Style style = Arrows);
  ~ZELTraceScope();
  ZELTraceScope(const ZELTraceScope&) = delete;
  ZELTraceScope& operator=(const ZELTraceScope&) = delete;

 private:
  QIVUnicodeString _prefix;
  Style _style;
};
