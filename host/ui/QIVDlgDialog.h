#pragma once

#include <array>

#include "QIVDialog.h"

// A dialog box: a window with some of the standard buttons OK, Cancel,
// Apply, Close, and the window's own close box. It has the buttons whose
// notifications its command or its own callbacks listen for, so journals
// and front ends see the same set. Pressing one emits the notification of
// the same kind from the dialog; the dialog stays as it is, its command
// decides what follows.
class QIVDlgDialog : public QIVDialog {
 public:
  QIVDlgDialog(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0);

  void SetOKSensitivity(int sensitivity) { SetButtonSensitivity(QIVNotificationKind::OK, sensitivity); }
  int GetOKSensitivity() const { return GetButtonSensitivity(QIVNotificationKind::OK); }
  // `kind` is one of OK, Cancel, Apply, Close, WindowClose.
  void SetButtonSensitivity(const char* kind, int sensitivity);
  int GetButtonSensitivity(const char* kind) const;
  void SetButtonTitle(const char* kind, const QIVUnicodeString& title);
  QIVUnicodeString GetButtonTitle(const char* kind) const;
  bool HasButton(const char* kind) const;
  void AddListenedKind(const char* kind) override;

  QIVUserEventResult UserPressButton(const char* kind);

  const char* GetImplClassName() const override { return "QIVDlgDialog"; }

 protected:
  const char* KindName() const override { return "dialog"; }
  void DescribeState(std::string& line) const override;

 private:
  struct Button {
    const char* kind;
    const char* defaultTitle;
    QIVUnicodeString title;
    int sensitivity = QIVDlgEnable;
    bool present = false;
  };
  Button* FindButton(const char* kind);
  const Button* FindButton(const char* kind) const;

  std::array<Button, 5> _buttons;
};
