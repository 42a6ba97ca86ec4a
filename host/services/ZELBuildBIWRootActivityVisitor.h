#pragma once

#include "QIVListVal.h"

// Walks the process from its BIW root for a world update: the activities
// that come before an activity in control flow, those its fathers follow
// included, each with every activity below it; each once, in the order
// met (the nearest previous activities first).
class ZELBuildBIWRootActivityVisitor {
 public:
  QIVListValQIVBaseUnknown_var ActivitiesBefore(const QIVBaseUnknown_var& activity) const;
};
