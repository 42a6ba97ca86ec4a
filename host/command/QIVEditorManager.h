#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// The host object on which modules hang their editor factories, as
// extensions of the late type "QIVEditorManager" offering an interface
// derived from QIVIGenericFactory.
class QIVEditorManager : public QIVBaseUnknown {
 public:
  static constexpr const char* LateType = "QIVEditorManager";

  // The editor of the page name made by the first factory that supports
  // the name; empty when none does.
  QIVBaseUnknown_var CreateEditor(const QIVUnicodeString& pageName);

  const char* IsA() const override { return LateType; }
  const char* GetImplClassName() const override { return "QIVEditorManager"; }
};
