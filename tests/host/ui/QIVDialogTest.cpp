#include <gtest/gtest.h>

#include "QIVDialog.h"
#include "QIVDlgFile.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgWindow.h"
#include "UiTestFixture.h"

namespace {

class QIVDialogTest : public UiTest {};

TEST_F(QIVDialogTest, ShownWindowsAreListedInShowingOrderAndRecorded) {
  QIVVar<QIVDlgDialog> second = QIVMake<QIVDlgDialog>(nullptr, "Second");
  _dialog->SetTitle("Import welds");
  EXPECT_EQ(_dialog->GetVisibility(), QIVDlgHide);

  _dialog->SetVisibility(QIVDlgShow);
  second->SetVisibility(QIVDlgShow);
  _dialog->SetVisibility(QIVDlgShow);
  EXPECT_EQ(QIVDialog::VisibleDialogs(), (std::vector<QIVDialog*>{_dialog.get(), second.get()}));

  _dialog->SetVisibility(QIVDlgHide);
  EXPECT_EQ(QIVDialog::VisibleDialogs(), std::vector<QIVDialog*>{second.get()});
  second = nullptr;
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
  EXPECT_EQ(NewTranscriptLines(),
            (std::vector<std::string>{"dialog shown Dialog \"Import welds\"", "dialog shown Second \"\"",
                                      "dialog hidden Dialog", "dialog hidden Second"}));
}

TEST_F(QIVDialogTest, WidgetIsShownAndSensitiveOnlyWithItsContainersAndWindow) {
  auto* frame = Add<QIVDlgFrame>("Frame");
  auto* button = new QIVDlgPushButton(frame, "Button");
  EXPECT_FALSE(button->IsShown());
  _dialog->SetVisibility(QIVDlgShow);
  EXPECT_TRUE(button->IsShown());
  frame->SetVisibility(QIVDlgHide);
  EXPECT_FALSE(button->IsShown());
  frame->SetVisibility(QIVDlgShow);

  _dialog->SetSensitivity(QIVDlgDisable);
  EXPECT_FALSE(button->IsSensitive());
  EXPECT_EQ(button->GetSensitivity(), QIVDlgEnable);
  QIVUserEventResult refused = button->UserPress();
  EXPECT_EQ(refused.rc, E_FAIL);
  EXPECT_EQ(refused.reason, "Button is insensitive");
}

TEST_F(QIVDialogTest, WidgetsBelongToTheWidgetTheyAreCreatedIn) {
  long before = QIVBaseUnknown::LiveObjectCount();
  auto* frame = Add<QIVDlgFrame>("Frame");
  auto* label = new QIVDlgLabel(frame, "Label");
  auto* button = new QIVDlgPushButton(frame, "Button");
  frame->SetHorizontalAttachment(0, 1, label);
  frame->SetVerticalAttachment(2, 1, button);

  button->RequestDelayedDestruction();
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before + 2);
  EXPECT_EQ(frame->GetChildren(), std::vector<QIVCommand*>{label});
  ASSERT_EQ(frame->GetAttachments().size(), 1u);
  EXPECT_EQ(frame->GetAttachments()[0].widget, label);

  _dialog = nullptr;
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before - 1);
}

TEST_F(QIVDialogTest, DialogOnTheMainWindowStaysItsUntilDestructionIsAsked) {
  QIVVar<QIVDlgWindow> mainWindow = QIVMake<QIVDlgWindow>();
  long before = QIVBaseUnknown::LiveObjectCount();
  auto* dialog = new QIVDlgDialog(mainWindow.get(), "Dialog");
  dialog->SetFather(_subscriber.get());
  dialog->SetVisibility(QIVDlgShow);
  EXPECT_TRUE(mainWindow->IsShown());
  EXPECT_EQ(QIVDialog::VisibleDialogs(), std::vector<QIVDialog*>{dialog});

  dialog->RequestDelayedDestruction();
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
  EXPECT_TRUE(_subscriber->GetChildren().empty());

  new QIVDlgDialog(mainWindow.get(), "Forgotten");
  mainWindow = nullptr;
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before - 1);
}

TEST_F(QIVDialogTest, FindsWidgetsByNameOrPathAndReportsAmbiguity) {
  auto* left = Add<QIVDlgFrame>("Left");
  auto* right = Add<QIVDlgFrame>("Right");
  auto* leftCount = new QIVDlgLabel(new QIVDlgFrame(left, "Inner"), "Count");
  auto* rightCount = new QIVDlgLabel(right, "Count");
  auto* unique = new QIVDlgPushButton(right, "Unique");
  new QIVDlgLabel(Add<QIVDlgFile>("Box"), "InsideTheBox");

  EXPECT_EQ(_dialog->Find<QIVDlgPushButton>("Unique"), unique);
  EXPECT_EQ(_dialog->Find<QIVDlgLabel>("Unique"), nullptr);
  EXPECT_EQ(_dialog->FindWidget("Left/Count"), leftCount);
  EXPECT_EQ(_dialog->FindWidget("Dialog/Right/Count"), rightCount);
  EXPECT_EQ(_dialog->FindWidget("Right/Inner/Count"), nullptr);
  EXPECT_EQ(leftCount->GetPath(), "Dialog/Left/Inner/Count");

  std::string reason;
  EXPECT_EQ(_dialog->FindWidget("Count", &reason), nullptr);
  EXPECT_EQ(reason, "\"Count\" is ambiguous: Dialog/Left/Inner/Count Dialog/Right/Count in Dialog");
  EXPECT_EQ(_dialog->FindWidget("InsideTheBox", &reason), nullptr);
  EXPECT_EQ(reason, "no widget \"InsideTheBox\" in Dialog");

  // Among namesakes, the only one a person can see is the one meant.
  _dialog->SetVisibility(QIVDlgShow);
  left->SetVisibility(QIVDlgHide);
  EXPECT_EQ(_dialog->FindWidget("Count"), rightCount);
  left->SetVisibility(QIVDlgShow);
  EXPECT_EQ(_dialog->FindWidget("Count"), nullptr);
  _dialog->SetVisibility(QIVDlgHide);
}

TEST_F(QIVDialogTest, FindsUserEventTargetsInShownDialogsOnly) {
  QIVVar<QIVDlgDialog> second = QIVMake<QIVDlgDialog>(nullptr, "Second");
  auto* firstApply = Add<QIVDlgPushButton>("Apply");
  auto* secondApply = new QIVDlgPushButton(second.get(), "Apply");
  std::string reason;
  EXPECT_EQ(QIVDialog::FindVisibleWidget("Apply", &reason), nullptr);
  EXPECT_EQ(reason, "no widget \"Apply\" in the shown dialogs");

  _dialog->SetVisibility(QIVDlgShow);
  EXPECT_EQ(QIVDialog::FindVisibleWidget("Apply"), firstApply);
  EXPECT_EQ(QIVDialog::FindVisibleWidget("Dialog"), _dialog.get());

  second->SetVisibility(QIVDlgShow);
  EXPECT_EQ(QIVDialog::FindVisibleWidget("Apply", &reason), nullptr);
  EXPECT_EQ(reason, "\"Apply\" is ambiguous: Dialog/Apply Second/Apply in the shown dialogs");
  EXPECT_EQ(QIVDialog::FindVisibleWidget("Second/Apply"), secondApply);
}

TEST_F(QIVDialogTest, DescribesTheStateOnOneLine) {
  auto* label = Add<QIVDlgLabel>("Light");
  label->SetIconName("I_RedLight");
  label->SetTitle("say \"hi\"\nC:\\welds");
  label->SetSensitivity(QIVDlgDisable);
  label->SetVisibility(QIVDlgHide);
  EXPECT_EQ(label->Describe(),
            "Light label insensitive hidden title=\"say \\\"hi\\\"\\nC:\\\\welds\" icon=I_RedLight");
  EXPECT_EQ(label->GetIconName(QIVDialog::DisabledIcon), "I_RedLight");
}

}  // namespace
