#include "QIVDlgCheckButton.h"

#include <gtest/gtest.h>

#include "QIVDlgDialog.h"
#include "QIVVar.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgCheckButtonTest : public UiTest {};

TEST_F(QIVDlgCheckButtonTest, ChangesEmitCheckAndRepeatsDoNothing) {
  QIVVar<QIVDlgDialog> dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
  QIVVar<QIVCommand> subscriber = QIVMake<QIVCommand>(nullptr, "Subscriber");
  auto* check = new QIVDlgCheckButton(dialog.get(), "CheckAllProductId");
  Watch(*subscriber, check, {QIVNotificationKind::Check});
  dialog->SetVisibility(QIVDlgShow);

  EXPECT_TRUE(check->UserCheck(true));
  EXPECT_TRUE(check->UserCheck(true));
  EXPECT_TRUE(check->GetState());
  EXPECT_TRUE(check->UserCheck(false));
  check->SetState(true);
  check->SetState(false, 1);
  EXPECT_EQ(_heard, std::vector<std::string>(3, "Check from CheckAllProductId"));
  EXPECT_EQ(check->Describe(), "CheckAllProductId check button check=off");

  check->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(check->UserCheck(true).reason, "CheckAllProductId is insensitive");
  EXPECT_FALSE(check->GetState());
}

}  // namespace
