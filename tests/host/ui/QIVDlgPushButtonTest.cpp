#include "QIVDlgPushButton.h"

#include <gtest/gtest.h>

#include "QIVDlgDialog.h"
#include "QIVDlgFrame.h"
#include "QIVVar.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgPushButtonTest : public UiTest {};

TEST_F(QIVDlgPushButtonTest, PressEmitsActivateWhileReachable) {
  QIVVar<QIVCommand> command = QIVMake<RecordingCommand>(&_heard);
  QIVVar<QIVDlgDialog> dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
  dialog->SetFather(command.get());
  auto* frame = new QIVDlgFrame(dialog.get(), "Frame");
  auto* button = new QIVDlgPushButton(frame, "ButtonTextId");

  EXPECT_EQ(button->UserPress().reason, "ButtonTextId is not shown");
  dialog->SetVisibility(QIVDlgShow);
  EXPECT_TRUE(button->UserPress());
  frame->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(button->UserPress().reason, "ButtonTextId is insensitive");

  EXPECT_EQ(_heard, std::vector<std::string>{"command got Activate from ButtonTextId"});
}

TEST_F(QIVDlgPushButtonTest, ButtonMayCloseItsOwnDialogWhilePressed) {
  QIVVar<QIVCommand> subscriber = QIVMake<QIVCommand>(nullptr, "Subscriber");
  auto* dialog = new QIVDlgDialog(nullptr, "Dialog");
  auto* button = new QIVDlgPushButton(dialog, "Close");
  dialog->SetVisibility(QIVDlgShow);
  subscriber->AddCallback(button, QIVNotificationKind::Activate,
                          [dialog](QIVCommand*, const QIVNotification&) { dialog->Release(); });

  EXPECT_TRUE(button->UserPress());
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
}

}  // namespace
