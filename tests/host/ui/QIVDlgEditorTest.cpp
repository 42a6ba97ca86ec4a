#include <gtest/gtest.h>

#include "QIVDlgEditor.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgEditorTest : public UiTest {
 protected:
  QIVDlgEditor* MakeEditor(const char* name, unsigned long style = 0) {
    _dialog->SetVisibility(QIVDlgShow);
    return Add<QIVDlgEditor>(name, {QIVNotificationKind::Input, QIVNotificationKind::EditFocusOut}, style);
  }
  static void OnInput(const QIVUnicodeString& text, void* data) {
    static_cast<std::vector<std::string>*>(data)->push_back("hook " + text.str());
  }
};

TEST_F(QIVDlgEditorTest, TypingRunsTheHookThenInputAndLeavingEmitsFocusOut) {
  QIVDlgEditor* editor = MakeEditor("EditorTextPathId");
  editor->SetInputCallback(&OnInput, &_heard);

  ASSERT_TRUE(editor->UserType("examples/body.txt"));
  ASSERT_TRUE(editor->UserFocusOut());
  EXPECT_EQ(_heard, (std::vector<std::string>{"hook examples/body.txt", "Input from EditorTextPathId",
                                              "EditFocusOut from EditorTextPathId"}));
}

TEST_F(QIVDlgEditorTest, SettingFromCodeIsSilentUnlessAskedToNotify) {
  QIVDlgEditor* editor = MakeEditor("Rate");
  editor->SetInputCallback(&OnInput, &_heard);
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
  EXPECT_EQ(numeric->UserType("four").reason,
            "_PointFasteningRateEditorName takes numbers only, not \"four\"");
  EXPECT_EQ(greyed->UserFocusOut().reason, "EditorNumberID is insensitive");
  EXPECT_TRUE(_heard.empty());
  EXPECT_TRUE(numeric->UserType("4.0"));
  EXPECT_DOUBLE_EQ(numeric->GetValue(), 4.0);
}

}  // namespace
