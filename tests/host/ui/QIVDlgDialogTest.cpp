#include "QIVDlgDialog.h"

#include <gtest/gtest.h>

#include "QIVFrmDialog.h"
#include "QIVVar.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgDialogTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _command = QIVMake<RecordingCommand>(&_heard);
    _dialog = QIVMake<QIVFrmDialog>(nullptr, "ReadWeld", 0x40e01);
    _dialog->SetFather(_command.get());
  }
  void TearDown() override {
    _dialog = nullptr;
    _command = nullptr;
    UiTest::TearDown();
  }
  QIVVar<RecordingCommand> _command;
  QIVVar<QIVFrmDialog> _dialog;
};

TEST_F(QIVDlgDialogTest, EachButtonSendsItsNotificationToTheCommand) {
  _dialog->SetVisibility(QIVDlgShow);
  for (const char* kind : {"OK", "Cancel", "Apply", "Close", "WindowClose"}) {
    EXPECT_TRUE(_dialog->UserPressButton(kind)) << kind;
  }
  EXPECT_EQ(_heard, (std::vector<std::string>{"command got OK from ReadWeld", "command got Cancel from ReadWeld",
                                              "command got Apply from ReadWeld", "command got Close from ReadWeld",
                                              "command got WindowClose from ReadWeld"}));
  EXPECT_EQ(_dialog->GetVisibility(), QIVDlgShow);
  EXPECT_EQ(_dialog->GetStyle(), 0x40e01u);
}

TEST_F(QIVDlgDialogTest, RefusesButtonsAPersonCannotPress) {
  QIVUserEventResult hidden = _dialog->UserPressButton("OK");
  EXPECT_EQ(hidden.reason, "ReadWeld is not shown");

  _dialog->SetVisibility(QIVDlgShow);
  _dialog->SetOKSensitivity(QIVDlgDisable);
  EXPECT_EQ(_dialog->GetOKSensitivity(), QIVDlgDisable);
  EXPECT_EQ(_dialog->UserPressButton("OK").reason, "ReadWeld button OK is insensitive");
  EXPECT_EQ(_dialog->UserPressButton("Help").reason, "ReadWeld has no button Help");
  EXPECT_TRUE(_heard.empty());

  _dialog->SetOKSensitivity(QIVDlgEnable);
  EXPECT_TRUE(_dialog->UserPressButton("OK"));
  EXPECT_EQ(_heard.size(), 1u);
}

TEST_F(QIVDlgDialogTest, ButtonTitlesAndSensitivityShowInTheDescription) {
  EXPECT_EQ(_dialog->GetButtonTitle("Cancel"), "Cancel");
  _dialog->SetButtonTitle("Cancel", "Close");
  _dialog->SetButtonTitle("Apply", "Filter Fasteners");
  _dialog->SetOKSensitivity(QIVDlgDisable);
  _dialog->SetTitle("Select");

  EXPECT_EQ(_dialog->GetButtonTitle("Cancel"), "Close");
  EXPECT_EQ(_dialog->Describe(),
            "ReadWeld dialog hidden title=\"Select\" OK=insensitive Cancel.title=\"Close\" "
            "Apply.title=\"Filter Fasteners\"");
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
  EXPECT_EQ(_heard, (std::vector<std::string>{"dialog checks", "command got Cancel from ReadWeld"}));
}

}  // namespace
