#include "QIVDialog.h"

#include <gtest/gtest.h>

#include "QIVDlgDialog.h"
#include "QIVDlgFile.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgWindow.h"
#include "QIVVar.h"
#include "UiTestFixture.h"

namespace {

using QIVDlgDialog_var = QIVVar<QIVDlgDialog>;

class QIVDialogTest : public UiTest {};

TEST_F(QIVDialogTest, ShownWindowsAreListedInShowingOrderAndRecorded) {
  QIVDlgDialog_var first = QIVMake<QIVDlgDialog>(nullptr, "First");
  QIVDlgDialog_var second = QIVMake<QIVDlgDialog>(nullptr, "Second");
  first->SetTitle("Import welds");
  EXPECT_EQ(first->GetVisibility(), QIVDlgHide);

  first->SetVisibility(QIVDlgShow);
  second->SetVisibility(QIVDlgShow);
  first->SetVisibility(QIVDlgShow);
  EXPECT_EQ(QIVDialog::VisibleDialogs(), (std::vector<QIVDialog*>{first.get(), second.get()}));

  first->SetVisibility(QIVDlgHide);
  EXPECT_EQ(QIVDialog::VisibleDialogs(), std::vector<QIVDialog*>{second.get()});
  second = nullptr;
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());

  EXPECT_EQ(NewTranscriptLines(),
            (std::vector<std::string>{"dialog shown First \"Import welds\"", "dialog shown Second \"\"",
                                      "dialog hidden First", "dialog hidden Second"}));
}

TEST_F(QIVDialogTest, WidgetIsShownAndSensitiveOnlyWithItsContainersAndWindow) {
  QIVDlgDialog_var dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
  auto* frame = new QIVDlgFrame(dialog.get(), "Frame");
  auto* button = new QIVDlgPushButton(frame, "Button");
  EXPECT_FALSE(button->IsShown());

  dialog->SetVisibility(QIVDlgShow);
  EXPECT_TRUE(button->IsShown());
  frame->SetVisibility(QIVDlgHide);
  EXPECT_FALSE(button->IsShown());
  EXPECT_EQ(button->GetVisibility(), QIVDlgShow);
  frame->SetVisibility(QIVDlgShow);

  EXPECT_TRUE(button->IsSensitive());
  dialog->SetSensitivity(QIVDlgDisable);
  EXPECT_FALSE(button->IsSensitive());
  EXPECT_EQ(button->GetSensitivity(), QIVDlgEnable);

  QIVUserEventResult refused = button->UserPress();
  EXPECT_FALSE(refused);
  EXPECT_EQ(refused.rc, E_FAIL);
  EXPECT_EQ(refused.reason, "Button is insensitive");
  dialog->SetVisibility(QIVDlgHide);
}

TEST_F(QIVDialogTest, WidgetsBelongToTheWidgetTheyAreCreatedIn) {
  long before = QIVBaseUnknown::LiveObjectCount();
  QIVDlgDialog_var dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
  auto* frame = new QIVDlgFrame(dialog.get(), "Frame");
  auto* label = new QIVDlgLabel(frame, "Label");
  auto* button = new QIVDlgPushButton(frame, "Button");
  frame->SetHorizontalAttachment(0, 1, label);
  frame->SetVerticalAttachment(2, 1, button);
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before + 4);

  button->RequestDelayedDestruction();
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before + 3);
  EXPECT_EQ(frame->GetChildren(), std::vector<QIVCommand*>{label});
  ASSERT_EQ(frame->GetAttachments().size(), 1u);
  EXPECT_EQ(frame->GetAttachments()[0].widget, label);

  dialog = nullptr;
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}

TEST_F(QIVDialogTest, DialogOnTheMainWindowStaysItsUntilDestructionIsAsked) {
  QIVVar<QIVDlgWindow> mainWindow = QIVMake<QIVDlgWindow>();
  QIVVar<QIVCommand> command = QIVMake<QIVCommand>(nullptr, "Command");
  long before = QIVBaseUnknown::LiveObjectCount();

  auto* dialog = new QIVDlgDialog(mainWindow.get(), "Dialog");
  dialog->SetFather(command.get());
  dialog->SetVisibility(QIVDlgShow);
  EXPECT_TRUE(mainWindow->IsShown());
  EXPECT_EQ(QIVDialog::VisibleDialogs(), std::vector<QIVDialog*>{dialog});

  dialog->RequestDelayedDestruction();
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before + 1);
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
  EXPECT_TRUE(command->GetChildren().empty());

  new QIVDlgDialog(mainWindow.get(), "Forgotten");
  mainWindow = nullptr;
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before - 1);
}

TEST_F(QIVDialogTest, FindsWidgetsByNameOrPathAndReportsAmbiguity) {
  QIVDlgDialog_var dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
  auto* left = new QIVDlgFrame(dialog.get(), "Left");
  auto* right = new QIVDlgFrame(dialog.get(), "Right");
  auto* leftCount = new QIVDlgLabel(new QIVDlgFrame(left, "Inner"), "Count");
  auto* rightCount = new QIVDlgLabel(right, "Count");
  auto* unique = new QIVDlgPushButton(right, "Unique");
  auto* box = new QIVDlgFile(dialog.get(), "Box");
  new QIVDlgLabel(box, "InsideTheBox");

  EXPECT_EQ(dialog->FindWidget("Unique"), unique);
  EXPECT_EQ(dialog->Find<QIVDlgPushButton>("Unique"), unique);
  EXPECT_EQ(dialog->Find<QIVDlgLabel>("Unique"), nullptr);
  EXPECT_EQ(dialog->FindWidget("Left/Count"), leftCount);
  EXPECT_EQ(dialog->FindWidget("Dialog/Right/Count"), rightCount);
  EXPECT_EQ(leftCount->GetPath(), "Dialog/Left/Inner/Count");

  std::string reason;
  EXPECT_EQ(dialog->FindWidget("Count", &reason), nullptr);
  EXPECT_EQ(reason, "\"Count\" is ambiguous: Dialog/Left/Inner/Count Dialog/Right/Count in Dialog");
  EXPECT_EQ(dialog->FindWidget("InsideTheBox", &reason), nullptr);
  EXPECT_EQ(reason, "no widget \"InsideTheBox\" in Dialog");
  EXPECT_EQ(dialog->FindWidget("Right/Inner/Count"), nullptr);
}

TEST_F(QIVDialogTest, FindsUserEventTargetsInShownDialogsOnly) {
  QIVDlgDialog_var first = QIVMake<QIVDlgDialog>(nullptr, "First");
  QIVDlgDialog_var second = QIVMake<QIVDlgDialog>(nullptr, "Second");
  auto* firstOK = new QIVDlgPushButton(first.get(), "Apply");
  auto* secondOK = new QIVDlgPushButton(second.get(), "Apply");
  std::string reason;

  EXPECT_EQ(QIVDialog::FindVisibleWidget("Apply", &reason), nullptr);
  EXPECT_EQ(reason, "no widget \"Apply\" in the shown dialogs");

  first->SetVisibility(QIVDlgShow);
  EXPECT_EQ(QIVDialog::FindVisibleWidget("Apply"), firstOK);
  EXPECT_EQ(QIVDialog::FindVisibleWidget("First"), first.get());

  second->SetVisibility(QIVDlgShow);
  EXPECT_EQ(QIVDialog::FindVisibleWidget("Apply", &reason), nullptr);
  EXPECT_EQ(reason, "\"Apply\" is ambiguous: First/Apply Second/Apply in the shown dialogs");
  EXPECT_EQ(QIVDialog::FindVisibleWidget("Second/Apply"), secondOK);

  first->SetVisibility(QIVDlgHide);
  second->SetVisibility(QIVDlgHide);
}

TEST_F(QIVDialogTest, DescribesTheStateOnOneLine) {
  QIVDlgDialog_var dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
  auto* label = new QIVDlgLabel(dialog.get(), "Light");
  label->SetIconName("I_RedLight", "I_RedLight", "I_RedLight", "I_RedLight");
  label->SetTitle("say \"hi\"\nC:\\welds");
  label->SetSensitivity(QIVDlgDisable);
  label->SetVisibility(QIVDlgHide);

  EXPECT_EQ(label->Describe(), "Light label insensitive hidden title=\"say \\\"hi\\\"\\nC:\\\\welds\" icon=I_RedLight");
  EXPECT_EQ(label->GetIconName(QIVDialog::DisabledIcon), "I_RedLight");

  label->SetIconName("I_ToRight");
  EXPECT_EQ(label->GetIconName(QIVDialog::PressedIcon), "I_ToRight");
}

TEST_F(QIVDialogTest, KeepsGridConstraintsAndAttachmentsForAFrontEnd) {
  QIVDlgDialog_var dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
  auto* frame = new QIVDlgFrame(dialog.get(), "Frame");
  frame->SetGridConstraints(0, 2, 1, 1, 30);
  dialog->SetSideAttachment(frame, QIVDlgAttachment::Top | QIVDlgAttachment::Bottom, 1);
  dialog->SetHorizontalAttachment(3, 1, frame);

  EXPECT_EQ(frame->GetGridConstraints().column, 2);
  EXPECT_EQ(frame->GetGridConstraints().justification, 30);
  ASSERT_EQ(dialog->GetAttachments().size(), 2u);
  EXPECT_EQ(dialog->GetAttachments()[0].axis, QIVDlgAttachment::Sides);
  EXPECT_EQ(dialog->GetAttachments()[0].line, QIVDlgAttachment::Top | QIVDlgAttachment::Bottom);

  dialog->ResetAttachment(frame);
  EXPECT_TRUE(dialog->GetAttachments().empty());
}

}  // namespace
