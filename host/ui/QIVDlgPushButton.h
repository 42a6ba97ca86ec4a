#pragma once

#include "QIVDialog.h"

// A button a person presses; each press emits Activate.
class QIVDlgPushButton : public QIVDialog {
 public:
  QIVDlgPushButton(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style) {}

  QIVUserEventResult UserPress();

  const char* GetImplClassName() const override { return "QIVDlgPushButton"; }

 protected:
  const char* KindName() const override { return "push button"; }
};
