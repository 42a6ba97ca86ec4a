#include "import/ZELVekBIWReadWeldSelectDlg.h"

#include <gmock/gmock.h>

#include "QIVDlgEditor.h"
#include "QIVDlgFile.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVSettingsRepository.h"
#include "WeldImportTestSupport.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The lights, OK and the refusal box on typing are played by the weld
// import scenarios; here the file test itself and the file box.
class ZELVekBIWReadWeldSelectDlgTest : public WeldImportTest {
 protected:
  void SetUp() override {
    WeldImportTest::SetUp();
    QIVSettingsRepository::GetRepository("ZELVekBIWSettings").SetText("TextDefaultPath", _folder.string());
    ZELVekBIWReadWeldSelectDlg::_bTextOK = false;
    dialog = new ZELVekBIWReadWeldSelectDlg();
    dialog->Build();
    dialog->SetVisibility(QIVDlgShow);
  }
  void TearDown() override {
    std::exchange(dialog, nullptr)->RequestDelayedDestruction();
    WeldImportTest::TearDown();
  }
  std::string Light() const { return dialog->GetLightLabel()->GetIconName().str(); }

  ZELVekBIWReadWeldSelectDlg* dialog = nullptr;
};

TEST_F(ZELVekBIWReadWeldSelectDlgTest, TheWeldFileTestWantsAnExtensionAndBothHeaderLines) {
  const struct {
    const char* name;
    std::string content;
    bool good;
  } files[] = {{"good.txt", WeldFileHeader(), true},
               {"GOOD.TXT", WeldFileHeader(), true},
               {"a.QIVWeld", WeldFileHeader(), true},
               {"a.txt.bak", WeldFileHeader(), true},
               {"b.txt", "# TOVASK Welds Spot Generation v3\nversion 3.0.1\n", true},
               {"mixed.Txt", WeldFileHeader(), false},
               {"c.dat", WeldFileHeader(), false},
               {"d.txt", "Welds\n3.0\n", false},
               {"e.txt", "3.0\nTOVASK Welds Spot Generation\n", false},
               {"f.txt", "TOVASK Welds Spot Generation", false},
               {"g.txt", "", false}};
  for (const auto& file : files)
    EXPECT_EQ(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile(WriteFile(file.name, file.content)), file.good) << file.name;
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile((_folder / "missing.txt").string()));
  std::filesystem::create_directories(_folder / "folder.txt");
  EXPECT_FALSE(ZELVekBIWReadWeldSelectDlg::IsAGoodTextFile((_folder / "folder.txt").string()));
  EXPECT_THAT(Boxes(), IsEmpty());
}

TEST_F(ZELVekBIWReadWeldSelectDlgTest, TheFileBoxStartsAtTheDefaultFolderAndItsChoiceIsTested) {
  ASSERT_TRUE(dialog->GetPathEditor()->UserType("/no/such/folder"));
  ASSERT_TRUE(dialog->Find<QIVDlgPushButton>("ButtonTextId")->UserPress());
  QIVDlgFile* box = dialog->GetFileBox();
  EXPECT_TRUE(box->IsShown());
  EXPECT_EQ(box->GetDirectory(), _folder.string());
  ASSERT_TRUE(box->UserChooseFile(WriteFile("bad.txt", "x\n")));
  EXPECT_THAT(Boxes(), ElementsAre("box 0x8100000 \"WARNING\" \"The document selected is not a valid text file !!\" "
                                   "-> OK"));
  EXPECT_EQ(dialog->GetPathEditor()->GetText(), (_folder / "bad.txt").string());
  EXPECT_EQ(Light(), "I_RedLight");
  EXPECT_EQ(dialog->GetOKSensitivity(), QIVDlgDisable);
}
