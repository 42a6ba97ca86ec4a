#include "QIVDlgEditor.h"

#include <gtest/gtest.h>

#include "QIVDlgDialog.h"
#include "QIVVar.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgEditorTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
    _dialog->SetVisibility(QIVDlgShow);
    _subscriber = QIVMake<QIVCommand>(nullptr, "Subscriber");
  }
  void TearDown() override {
    _dialog = nullptr;
    _subscriber = nullptr;
    UiTest::TearDown();
  }
  QIVDlgEditor* MakeEditor(const char* name, unsigned long style = 0) {
    auto* editor = new QIVDlgEditor(_dialog.get(), name, style);
    Watch(*_subscriber, editor, {QIVNotificationKind::Input, QIVNotificationKind::EditFocusOut});
    return editor;
  }
  static void OnInput(const QIVUnicodeString& text, void* data) {
    static_cast<std::vector<std::string>*>(data)->push_back("hook " + text.str());
  }
  QIVVar<QIVDlgDialog> _dialog;
  QIVVar<QIVCommand> _subscriber;
};

TEST_F(QIVDlgEditorTest, TypingRunsTheHookThenInputAndLeavingEmitsFocusOut) {
  QIVDlgEditor* editor = MakeEditor("EditorTextPathId");
  editor->SetInputCallback(&OnInput, &_heard);

  ASSERT_TRUE(editor->UserType("examples/body.txt"));
  EXPECT_EQ(editor->GetText(), "examples/body.txt");
  ASSERT_TRUE(editor->UserFocusOut());
  EXPECT_EQ(_heard, (std::vector<std::string>{"hook examples/body.txt", "Input from EditorTextPathId",
                                              "EditFocusOut from EditorTextPathId"}));
  EXPECT_EQ(editor->Describe(), "EditorTextPathId editor text=\"examples/body.txt\"");
}

TEST_F(QIVDlgEditorTest, SettingFromCodeIsSilentUnlessAskedToNotify) {
  QIVDlgEditor* editor = MakeEditor("Rate");
  editor->SetInputCallback(&OnInput, &_heard);
  editor->SetText("12");
  editor->SetValue(0.25);
  EXPECT_TRUE(_heard.empty());
  EXPECT_EQ(editor->GetText(), "0.25");
  EXPECT_DOUBLE_EQ(editor->GetValue(), 0.25);

  editor->SetValue(4.0, 1);
  EXPECT_EQ(_heard, std::vector<std::string>{"Input from Rate"});
  editor->SetText("not a number");
  EXPECT_DOUBLE_EQ(editor->GetValue(), 0.0);
}

TEST_F(QIVDlgEditorTest, RefusesWhatThePersonCannotType) {
  QIVDlgEditor* readOnly = MakeEditor("EditSelectedActivity", QIVDlgEditor::ReadOnlyStyle);
  QIVDlgEditor* numeric = MakeEditor("_PointFasteningRateEditorName", QIVDlgEditor::NumericStyle);
  QIVDlgEditor* greyed = MakeEditor("EditorNumberID");
  greyed->SetSensitivity(QIVDlgDisable);

  EXPECT_EQ(readOnly->UserType("x").reason, "EditSelectedActivity is read-only");
  EXPECT_EQ(numeric->UserType("four").reason, "_PointFasteningRateEditorName takes numbers only, not \"four\"");
  EXPECT_EQ(greyed->UserType("3").reason, "EditorNumberID is insensitive");
  EXPECT_EQ(greyed->UserFocusOut().reason, "EditorNumberID is insensitive");
  EXPECT_TRUE(_heard.empty());

  EXPECT_TRUE(numeric->UserType("4.0"));
  EXPECT_DOUBLE_EQ(numeric->GetValue(), 4.0);
  EXPECT_TRUE(numeric->UserType(""));
}

}  // namespace
