#include <gtest/gtest.h>

#include "QIVDialogAgent.h"
#include "QIVVar.h"

namespace {

class QIVDialogAgentTest : public ::testing::Test {
 protected:
  QIVVar<QIVCommand> _dialog = QIVMake<QIVCommand>(nullptr, "Dialog");
  QIVVar<QIVCommand> _other = QIVMake<QIVCommand>(nullptr, "Other");
  QIVDialogAgent_var _agent = QIVMake<QIVDialogAgent>("DlgAgent", 0, 3);
};

TEST_F(QIVDialogAgentTest, AcceptsTheNotificationsOfItsNotifiersOnly) {
  _agent->AcceptOnNotify(_dialog.get(), QIVNotificationKind::OK);
  _agent->AcceptOnNotify(nullptr, QIVNotificationKind::WindowClose);
  EXPECT_TRUE(_agent->AcceptsNotification({QIVNotificationKind::OK, _dialog.get()}));
  EXPECT_FALSE(_agent->AcceptsNotification({QIVNotificationKind::OK, _other.get()}));
  EXPECT_FALSE(_agent->AcceptsNotification({QIVNotificationKind::Cancel, _dialog.get()}));
  EXPECT_TRUE(_agent->AcceptsNotification({QIVNotificationKind::WindowClose, _other.get()}));
  EXPECT_EQ(_agent->GetMode(), 3);
}

TEST_F(QIVDialogAgentTest, TakesOneValuePerAcquisitionUnlessItRepeats) {
  _agent->AcceptOnNotify(_dialog.get(), QIVNotificationKind::OK);
  _agent->AcceptOnNotify(_dialog.get(), QIVNotificationKind::Cancel);
  EXPECT_FALSE(_agent->ValuateFromNotification({QIVNotificationKind::Apply, _dialog.get()}));
  EXPECT_TRUE(_agent->ValuateFromNotification({QIVNotificationKind::OK, _dialog.get()}));
  EXPECT_FALSE(_agent->ValuateFromNotification({QIVNotificationKind::Cancel, _dialog.get()}));
  EXPECT_EQ(_agent->GetLastNotification().kind, QIVNotificationKind::OK);

  _agent->InitializeAcquisition();
  EXPECT_FALSE(_agent->IsOutputSet());
  EXPECT_TRUE(_agent->GetLastNotification().kind.empty());

  _agent->SetBehavior(QIVAgentBehavior::Repeat);
  EXPECT_TRUE(_agent->ValuateFromNotification({QIVNotificationKind::OK, _dialog.get()}));
  EXPECT_TRUE(_agent->ValuateFromNotification({QIVNotificationKind::Cancel, _dialog.get()}));
  EXPECT_EQ(_agent->GetLastNotification().kind, QIVNotificationKind::Cancel);
  EXPECT_TRUE(_agent->IsOutputSet());
}

}  // namespace
