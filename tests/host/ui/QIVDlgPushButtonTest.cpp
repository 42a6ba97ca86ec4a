#include <gtest/gtest.h>

#include "QIVDlgFrame.h"
#include "QIVDlgPushButton.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgPushButtonTest : public UiTest {};

TEST_F(QIVDlgPushButtonTest, PressEmitsActivateWhileReachable) {
  QIVVar<QIVCommand> command = QIVMake<RecordingCommand>(&_heard);
  _dialog->SetFather(command.get());
  auto* frame = Add<QIVDlgFrame>("Frame");
  auto* button = new QIVDlgPushButton(frame, "ButtonTextId");

  EXPECT_EQ(button->UserPress().reason, "ButtonTextId is not shown");
  _dialog->SetVisibility(QIVDlgShow);
  EXPECT_TRUE(button->UserPress());
  frame->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(button->UserPress().reason, "ButtonTextId is insensitive");
  EXPECT_EQ(_heard, std::vector<std::string>{"command got Activate from ButtonTextId"});
}

TEST_F(QIVDlgPushButtonTest, ButtonMayCloseItsOwnDialogWhilePressed) {
  auto* dialog = new QIVDlgDialog(nullptr, "Closing");
  auto* button = new QIVDlgPushButton(dialog, "Close");
  dialog->SetVisibility(QIVDlgShow);
  _subscriber->AddCallback(button, QIVNotificationKind::Activate,
                           [dialog](QIVCommand*, const QIVNotification&) { dialog->Release(); });

  EXPECT_TRUE(button->UserPress());
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
}

}  // namespace
