#include <gtest/gtest.h>

#include "QIVDlgFile.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgFileTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _box = Add<QIVDlgFile>("FileBox", {QIVNotificationKind::OK, QIVNotificationKind::Cancel}, 512);
    _box->SetTitle("Select text file");
    _dialog->SetVisibility(QIVDlgShow);
  }
  QIVDlgFile* _box = nullptr;
};

TEST_F(QIVDlgFileTest, ChosenPathClosesTheBoxWithOK) {
  EXPECT_EQ(QIVDlgFile::WaitingBox(), nullptr);
  EXPECT_EQ(_box->UserChooseFile("examples/body.txt").reason, "FileBox is not shown");

  _box->SetVisibility(QIVDlgShow);
  EXPECT_EQ(QIVDlgFile::WaitingBox(), _box);
  EXPECT_EQ(_box->UserChooseFile("").reason, "FileBox needs a path");
  ASSERT_TRUE(_box->UserChooseFile("examples/body.txt"));

  EXPECT_EQ(_box->GetSelection(), "examples/body.txt");
  EXPECT_EQ(QIVDlgFile::WaitingBox(), nullptr);
  EXPECT_EQ(_heard, std::vector<std::string>{"OK from FileBox"});
  EXPECT_EQ(NewTranscriptLines(),
            (std::vector<std::string>{"dialog shown Dialog \"\"", "dialog shown FileBox \"Select text file\"",
                                      "dialog hidden FileBox"}));
}

TEST_F(QIVDlgFileTest, CancelLeavesTheSelectionAsItWas) {
  _box->SetFileName("proposed.txt");
  _box->SetVisibility(QIVDlgShow);
  ASSERT_TRUE(_box->UserCancelFile());
  EXPECT_EQ(_box->GetSelection(), "proposed.txt");
  EXPECT_EQ(_box->UserCancelFile().reason, "FileBox is not shown");
  EXPECT_EQ(_heard, std::vector<std::string>{"Cancel from FileBox"});
}

TEST_F(QIVDlgFileTest, KeepsFiltersByPosition) {
  QIVListValQIVUnicodeString names;
  QIVListValQIVUnicodeString patterns;
  names.Append("Text files(*.txt)");
  names.Append("All");
  patterns.Append("*.txt");
  _box->SetFilterStrings(names, patterns);
  EXPECT_EQ(
      _box->Describe(),
      "FileBox file box hidden title=\"Select text file\" filters=[\"Text files(*.txt)|*.txt\",\"All|\"] "
      "directory=\"\" selection=\"\"");
}

TEST_F(QIVDlgFileTest, NotificationOfTheBoxMayDestroyIt) {
  _subscriber->AddCallback(_box, QIVNotificationKind::OK, [this](QIVCommand*, const QIVNotification&) {
    _box->RequestDelayedDestruction();
  });
  _box->SetVisibility(QIVDlgShow);
  ASSERT_TRUE(_box->UserChooseFile("out"));
  QIVDelayedDestruction::Flush();
  EXPECT_TRUE(_dialog->GetChildren().empty());
}

}  // namespace
