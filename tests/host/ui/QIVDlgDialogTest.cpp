#include <gtest/gtest.h>

#include "QIVDlgDialog.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgDialogTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _command = QIVMake<RecordingCommand>(&_heard);
    _dialog->SetFather(_command.get());
  }
  void TearDown() override {
    _command = nullptr;
    UiTest::TearDown();
  }
  QIVVar<RecordingCommand> _command;
};

TEST_F(QIVDlgDialogTest, RefusesButtonsAPersonCannotPress) {
  // The dialog has the buttons whose notifications someone listens for.
  _dialog->AddCallback(_dialog.get(), QIVDialog::GetDiaOKNotification(),
                       [this](QIVCommand*, const QIVNotification& notification) {
                         QIVCommand::SendNotification(_dialog->GetFather(), notification);
                       });
  EXPECT_EQ(_dialog->UserPressButton("OK").reason, "Dialog is not shown");
  _dialog->SetVisibility(QIVDlgShow);
  _dialog->SetOKSensitivity(QIVDlgDisable);
  EXPECT_EQ(_dialog->UserPressButton("OK").reason, "Dialog button OK is insensitive");
  EXPECT_EQ(_dialog->UserPressButton("Help").reason, "Dialog has no button Help");
  EXPECT_EQ(_dialog->UserPressButton("Apply").reason, "Dialog has no button Apply");
  EXPECT_TRUE(_heard.empty());

  _dialog->SetOKSensitivity(QIVDlgEnable);
  EXPECT_TRUE(_dialog->UserPressButton("OK"));
  EXPECT_EQ(_heard.size(), 1u);
}

TEST_F(QIVDlgDialogTest, ButtonTitlesAndSensitivityShowInTheDescription) {
  EXPECT_EQ(_dialog->GetButtonTitle("Cancel"), "Cancel");
  _dialog->SetButtonTitle("Cancel", "Close");
  _dialog->SetOKSensitivity(QIVDlgDisable);
  _dialog->SetTitle("Select");
  EXPECT_EQ(_dialog->Describe(),
            "Dialog dialog hidden title=\"Select\" OK=insensitive Cancel.title=\"Close\"");
}

TEST_F(QIVDlgDialogTest, CallbackOnTheDialogKeepsTheNotificationUntilForwarded) {
  _dialog->SetVisibility(QIVDlgShow);
  _dialog->AddCallback(_dialog.get(), QIVDialog::GetDiaOKNotification(),
                       [this](QIVCommand*, const QIVNotification&) { _heard.push_back("dialog checks"); });
  _dialog->AddCallback(_dialog.get(), QIVDialog::GetDiaCANCELNotification(),
                       [this](QIVCommand*, const QIVNotification& notification) {
                         QIVCommand::SendNotification(_dialog->GetFather(), notification);
                       });
  _dialog->UserPressButton("OK");
  _dialog->UserPressButton("Cancel");
  EXPECT_EQ(_heard, (std::vector<std::string>{"dialog checks", "command got Cancel from Dialog"}));
}

}  // namespace
