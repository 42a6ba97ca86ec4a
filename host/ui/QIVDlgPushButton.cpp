#include "QIVDlgPushButton.h"

QIVUserEventResult QIVDlgPushButton::UserPress() {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  SendNotification(QIVNotificationKind::Activate);
  return QIVUserEventResult::Done();
}
