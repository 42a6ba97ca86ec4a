#pragma once

#include "QIVDialog.h"

// The application's main window: always there, never listed among the
// shown dialogs. Dialogs created on it belong to it until their command
// asks for their destruction.
class QIVDlgWindow : public QIVDialog {
 public:
  explicit QIVDlgWindow(const QIVUnicodeString& name = "MainWindow")
      : QIVDialog(nullptr, name, 0, Role::Window) {
    SetVisibleWithoutNotice();
  }

  const char* GetImplClassName() const override { return "QIVDlgWindow"; }

 protected:
  const char* KindName() const override { return "window"; }
};
