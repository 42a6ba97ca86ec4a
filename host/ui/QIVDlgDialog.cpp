#include "QIVDlgDialog.h"

#include <cstring>

QIVDlgDialog::QIVDlgDialog(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style)
    : QIVDialog(parent, name, style, Role::Window),
      _buttons{{{QIVNotificationKind::OK, "OK", {}, QIVDlgEnable},
                {QIVNotificationKind::Cancel, "Cancel", {}, QIVDlgEnable},
                {QIVNotificationKind::Apply, "Apply", {}, QIVDlgEnable},
                {QIVNotificationKind::Close, "Close", {}, QIVDlgEnable},
                {QIVNotificationKind::WindowClose, "", {}, QIVDlgEnable, true}}} {}

QIVDlgDialog::Button* QIVDlgDialog::FindButton(const char* kind) {
  return const_cast<Button*>(static_cast<const QIVDlgDialog*>(this)->FindButton(kind));
}

const QIVDlgDialog::Button* QIVDlgDialog::FindButton(const char* kind) const {
  if (!kind) return nullptr;
  for (const Button& button : _buttons) {
    if (std::strcmp(button.kind, kind) == 0) return &button;
  }
  return nullptr;
}

void QIVDlgDialog::SetButtonSensitivity(const char* kind, int sensitivity) {
  if (Button* button = FindButton(kind)) button->sensitivity = sensitivity;
}

int QIVDlgDialog::GetButtonSensitivity(const char* kind) const {
  const Button* button = FindButton(kind);
  return button ? button->sensitivity : QIVDlgDisable;
}

void QIVDlgDialog::SetButtonTitle(const char* kind, const QIVUnicodeString& title) {
  if (Button* button = FindButton(kind)) button->title = title;
}

QIVUnicodeString QIVDlgDialog::GetButtonTitle(const char* kind) const {
  const Button* button = FindButton(kind);
  if (!button) return {};
  return button->title.IsEmpty() ? QIVUnicodeString(button->defaultTitle) : button->title;
}

bool QIVDlgDialog::HasButton(const char* kind) const {
  const Button* button = FindButton(kind);
  return button && button->present;
}

void QIVDlgDialog::AddListenedKind(const char* kind) {
  if (Button* button = FindButton(kind)) button->present = true;
}

QIVUserEventResult QIVDlgDialog::UserPressButton(const char* kind) {
  const Button* button = FindButton(kind);
  if (!button || !button->present) return Refuse(std::string("has no button ") + (kind ? kind : ""));
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  if (button->sensitivity != QIVDlgEnable) return Refuse(std::string("button ") + kind + " is insensitive");
  SendNotification(button->kind);
  return QIVUserEventResult::Done();
}

void QIVDlgDialog::DescribeState(std::string& line) const {
  for (const Button& button : _buttons) {
    if (button.sensitivity != QIVDlgEnable) line += std::string(" ") + button.kind + "=insensitive";
    if (!button.title.IsEmpty())
      line += std::string(" ") + button.kind + ".title=" + Quote(button.title.view());
  }
}
