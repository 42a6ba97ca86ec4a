#include "ZELVekBIWReadWeldSelectDlg.h"

#include <gmock/gmock.h>

#include "QIVDlgEditor.h"
#include "QIVDlgFile.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVSettingsRepository.h"
#include "WeldImportTestSupport.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
const char* const kBadTextBox =
    "box 0x8100000 \"WARNING\" \"The document selected is not a valid text file !!\" -> OK";
}  // namespace

// The dialog on the session's main window, built and shown as the command
// does, with the planners' default folder set to the test's folder.
class ZELVekBIWReadWeldSelectDlgTest : public WeldImportTest {
 protected:
  void SetUp() override {
    WeldImportTest::SetUp();
    QIVSettingsRepository::GetRepository("ZELVekBIWSettings").SetText("TextDefaultPath", _folder.string());
    good = WriteFile("good.txt", WeldFileHeader());
    upper = WriteFile("GOOD.TXT", WeldFileHeader());
    ZELVekBIWReadWeldSelectDlg::_bTextOK = false;
    dialog = Open();
  }
  void TearDown() override {
    Close(dialog);
    WeldImportTest::TearDown();
  }

  static ZELVekBIWReadWeldSelectDlg* Open() {
    auto* opened = new ZELVekBIWReadWeldSelectDlg();
    opened->Build();
    opened->SetVisibility(QIVDlgShow);
    return opened;
  }
  static void Close(ZELVekBIWReadWeldSelectDlg*& opened) {
    if (opened) std::exchange(opened, nullptr)->RequestDelayedDestruction();
  }

  std::string Light() const { return dialog->GetLightLabel()->GetIconName().str(); }
  void Type(const std::string& text) const { ASSERT_TRUE(dialog->GetPathEditor()->UserType(text)); }
  void LeaveEditor() const { ASSERT_TRUE(dialog->GetPathEditor()->UserFocusOut()); }
  void Browse() const { ASSERT_TRUE(dialog->Find<QIVDlgPushButton>("ButtonTextId")->UserPress()); }

  std::string good;
  std::string upper;
  ZELVekBIWReadWeldSelectDlg* dialog = nullptr;
};

TEST_F(ZELVekBIWReadWeldSelectDlgTest, BuildLaysOutTheFrameRedLightDefaultPathAndFileBox) {
  EXPECT_EQ(dialog->GetName(), "ZELVekBIWReadWeldSelectDlg");
  EXPECT_EQ(dialog->GetStyle(), 0x40e01ul);
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgDisable);

  auto* frame = dialog->Find<QIVDlgFrame>("FrameSelectionId");
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->GetGridConstraints().justification, 30);
  const struct {
    const char* name;
    int column;
  } widgets[] = {{"LabelIconTextPathId", 0}, {"EditorTextPathId", 1}, {"ButtonTextId", 2}};
  for (const auto& expected : widgets) {
    QIVDialog* widget = frame->FindWidget(expected.name);
    ASSERT_NE(widget, nullptr) << expected.name;
    EXPECT_EQ(widget->GetFather(), frame);
    EXPECT_EQ(widget->GetGridConstraints().row, 0);
    EXPECT_EQ(widget->GetGridConstraints().column, expected.column);
    EXPECT_EQ(widget->GetGridConstraints().justification, 30);
  }
  EXPECT_EQ(dialog->GetPathEditor()->GetVisibleTextWidth(), 20);
  for (auto state : {QIVDialog::NormalIcon, QIVDialog::PressedIcon, QIVDialog::FocusedIcon, QIVDialog::DisabledIcon})
    EXPECT_EQ(dialog->GetLightLabel()->GetIconName(state), "I_RedLight");
  EXPECT_EQ(dialog->GetPathEditor()->GetText(), _folder.string());
  EXPECT_EQ(dialog->GetDefaultTextFileName(), "welds.txt");

  QIVDlgFile* box = dialog->GetFileBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->GetTitle(), "Select text file");
  EXPECT_EQ(box->GetStyle(), 512ul);
  EXPECT_FALSE(box->IsShown());
  ASSERT_EQ(box->GetFilters().size(), 2u);
  EXPECT_EQ(box->GetFilters()[0].name, "Text files(*.txt)");
  EXPECT_EQ(box->GetFilters()[0].pattern, "*.txt");
  EXPECT_EQ(box->GetFilters()[1].name, "QIVWeld file from Unigraphics import(*.QIVWeld)");
  EXPECT_EQ(box->GetFilters()[1].pattern, "*.QIVWeld");
}

TEST_F(ZELVekBIWReadWeldSelectDlgTest, TheWeldFileTestWantsAnExtensionAndBothHeaderLines) {
  EXPECT_TRUE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(good));
  EXPECT_TRUE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(upper));
  EXPECT_TRUE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(WriteFile("a.QIVWeld", WeldFileHeader())));
  // The extension may stand anywhere in the path.
  EXPECT_TRUE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(WriteFile("a.txt.bak", WeldFileHeader())));
  EXPECT_TRUE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(
      WriteFile("b.txt", "# TOVASK Welds Spot Generation v3\nversion 3.0.1\n")));

  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(WriteFile("mixed.Txt", WeldFileHeader())));
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(WriteFile("c.dat", WeldFileHeader())));
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile((_folder / "missing.txt").string()));
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(WriteFile("d.txt", "Welds\n3.0\n")));
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(WriteFile("e.txt", "3.0\nTOVASK Welds Spot Generation\n")));
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(WriteFile("f.txt", "TOVASK Welds Spot Generation")));
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(WriteFile("g.txt", "")));
  std::filesystem::create_directories(_folder / "folder.txt");
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile((_folder / "folder.txt").string()));
  EXPECT_THAT(Boxes(), IsEmpty());
}

TEST_F(ZELVekBIWReadWeldSelectDlgTest, EditsTurnTheLightAndLeavingTheEditorSetsOK) {
  Type(good);
  EXPECT_EQ(Light(), "I_GreenLight");
  EXPECT_TRUE(ZELVekBIWReadWeldSelectDlg::_bTextOK);
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgDisable);
  LeaveEditor();
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgEnable);

  Type(WriteFile("mixed.Txt", WeldFileHeader()));
  EXPECT_EQ(Light(), "I_RedLight");
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::_bTextOK);
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgEnable);
  LeaveEditor();
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgDisable);

  Type(upper);
  LeaveEditor();
  EXPECT_EQ(Light(), "I_GreenLight");
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgEnable);
  Type(WriteFile("bad.txt", "Weld list\n3.0\n"));
  LeaveEditor();
  EXPECT_EQ(Light(), "I_RedLight");
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgDisable);
  EXPECT_EQ(dialog->GetTextFileName(), (_folder / "bad.txt").string());
  // Edits never show a box.
  EXPECT_THAT(Boxes(), IsEmpty());
}

TEST_F(ZELVekBIWReadWeldSelectDlgTest, GoodTextFileShowsTheWarningOverTheDialogOnFailure) {
  EXPECT_TRUE(dialog->GoodTextFile(good));
  EXPECT_FALSE(dialog->GoodTextFile(WriteFile("bad.txt", "x\n")));
  EXPECT_THAT(Boxes(), ElementsAre(kBadTextBox));
}

TEST_F(ZELVekBIWReadWeldSelectDlgTest, TheFileBoxStartsAtTheDefaultFolderAndItsChoiceIsTested) {
  Type("/no/such/folder");
  Browse();
  QIVDlgFile* box = dialog->GetFileBox();
  EXPECT_TRUE(box->IsShown());
  EXPECT_EQ(box->GetDirectory(), _folder.string());
  ASSERT_TRUE(box->UserChooseFile(upper));
  EXPECT_EQ(dialog->GetPathEditor()->GetText(), upper);
  EXPECT_EQ(Light(), "I_GreenLight");
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgEnable);

  Browse();
  ASSERT_TRUE(box->UserChooseFile(WriteFile("bad.txt", "x\n")));
  EXPECT_THAT(Boxes(), ElementsAre(kBadTextBox));
  EXPECT_EQ(dialog->GetPathEditor()->GetText(), (_folder / "bad.txt").string());
  EXPECT_EQ(Light(), "I_RedLight");
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::_bTextOK);
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgDisable);
}

TEST_F(ZELVekBIWReadWeldSelectDlgTest, CancelInTheFileBoxKeepsPathAndLightAndRecomputesOK) {
  Type(good);
  Browse();
  ASSERT_TRUE(dialog->GetFileBox()->UserCancelFile());
  EXPECT_FALSE(dialog->GetFileBox()->IsShown());
  EXPECT_EQ(dialog->GetPathEditor()->GetText(), good);
  EXPECT_EQ(Light(), "I_GreenLight");
  // The typed path was good: OK follows the flag without leaving the editor.
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgEnable);
}

TEST_F(ZELVekBIWReadWeldSelectDlgTest, TheFlagOutlivesTheDialogUntilTheNextTest) {
  Type(good);
  Close(dialog);
  dialog = Open();
  // A new run starts with OK off and the red light, the flag still set.
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgDisable);
  EXPECT_EQ(Light(), "I_RedLight");
  EXPECT_TRUE(ZELVekBIWReadWeldSelectDlg::_bTextOK);
  Browse();
  ASSERT_TRUE(dialog->GetFileBox()->UserCancelFile());
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgEnable);
  LeaveEditor();
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::_bTextOK);
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgDisable);
}
