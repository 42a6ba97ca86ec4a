#pragma once

#include "QIVDlgCheckButton.h"

// A check button of a group: the radio buttons of one container. Checking
// one clears the others of its group, which emit nothing.
class QIVDlgRadioButton : public QIVDlgCheckButton {
 public:
  QIVDlgRadioButton(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDlgCheckButton(parent, name, style) {}

  const char* GetImplClassName() const override { return "QIVDlgRadioButton"; }

 protected:
  const char* KindName() const override { return "radio button"; }
  void ApplyState(bool checked) override;
  bool UserMayClear() const override { return false; }
};
