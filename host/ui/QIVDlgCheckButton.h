#pragma once

#include "QIVDialog.h"

// A button that is checked or not; a person's change emits Check.
class QIVDlgCheckButton : public QIVDialog {
 public:
  QIVDlgCheckButton(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style) {}

  // Emits Check when `notify` is set and the state changes.
  void SetState(bool checked, int notify = 0);
  bool GetState() const { return _checked; }

  // A person sets the state; choosing the state it already has changes
  // nothing and emits nothing.
  QIVUserEventResult UserCheck(bool checked);

  const char* GetImplClassName() const override { return "QIVDlgCheckButton"; }

 protected:
  const char* KindName() const override { return "check button"; }
  void DescribeState(std::string& line) const override;
  virtual void ApplyState(bool checked) { _checked = checked; }
  // Whether a person may clear the button directly.
  virtual bool UserMayClear() const { return true; }

 private:
  bool _checked = false;
};
