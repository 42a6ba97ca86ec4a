#include "QIVDlgCheckButton.h"

void QIVDlgCheckButton::SetState(bool checked, int notify) {
  if (checked == _checked) return;
  ApplyState(checked);
  if (notify) SendNotification(QIVNotificationKind::Check);
}

QIVUserEventResult QIVDlgCheckButton::UserCheck(bool checked) {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  if (!checked && !UserMayClear()) return Refuse("is cleared by choosing another button of its group");
  if (checked == _checked) return QIVUserEventResult::Done();
  ApplyState(checked);
  SendNotification(QIVNotificationKind::Check);
  return QIVUserEventResult::Done();
}

void QIVDlgCheckButton::DescribeState(std::string& line) const {
  line += _checked ? " check=on" : " check=off";
}
