#pragma once

#include "QIVStatus.h"
#include "QIVUnicodeString.h"

// The module's settings, read from the settings repository
// "ZELVekBIWSettings":
//   "PartLoadConstraint"   fasteners are assigned only to activities whose
//                          station holds every part they join; off unless
//                          the planner switches it on
//   "TextDefaultPath"      where the weld file selection starts, "." (the
//                          working folder) by default
//   "TextDefaultFileName"  the weld file offered first, "welds.txt"
class ZELVekBIWSettingsServices {
 public:
  static constexpr const char* RepositoryName = "ZELVekBIWSettings";

  static HRESULT GetPartLoadConstraint(bool& constraint);
  static HRESULT GetTextDefaultPath(QIVUnicodeString& path);
  static HRESULT GetTextDefaultFileName(QIVUnicodeString& fileName);
};
