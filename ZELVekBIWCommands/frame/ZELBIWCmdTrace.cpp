#include "ZELBIWCmdTrace.h"

QIVTrace* ZELBIWCmdTrace = nullptr;

void ZELTraceLine(const QIVUnicodeString& line) {
  if (ZELBIWCmdTrace) ZELBIWCmdTrace->TraPutLN(line);
}

ZELTraceScope::ZELTraceScope(const char* className, const char* methodName, Style style)
    : _prefix(QIVUnicodeString(className) + "::" + methodName), _style(style) {
  ZELTraceLine(_prefix + (_style == Arrows ? " --> IN" : " --- in"));
}

ZELTraceScope::~ZELTraceScope() { ZELTraceLine(_prefix + (_style == Arrows ? " <-- OUT" : " --- out")); }
