#include <gtest/gtest.h>

#include "QIVDlgCheckButton.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgCheckButtonTest : public UiTest {};

TEST_F(QIVDlgCheckButtonTest, ChangesEmitCheckAndRepeatsDoNothing) {
  auto* check = Add<QIVDlgCheckButton>("CheckAllProductId", {QIVNotificationKind::Check});
  _dialog->SetVisibility(QIVDlgShow);

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
