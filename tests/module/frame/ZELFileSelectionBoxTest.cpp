#include <gmock/gmock.h>

#include "QIVDelayedDestruction.h"
#include "QIVDlgDialog.h"
#include "QIVTranscript.h"
#include "QIVVar.h"
#include "frame/ZELFileSelectionBox.h"

using ::testing::ElementsAre;

namespace {

const ZELFileSelectionBox::Layout kLayout{
    "Pick a file", 0x840200, {{"Text files(*.txt)", "*.txt"}, {"XML(*.xml)", "*.xml"}}, ".txt"};

// A dialog that opens a file box and records what the box tells it. (A
// save dialog closing the box from its OK is the location export's.)
class OwnerDialog : public QIVDlgDialog {
 public:
  OwnerDialog() : QIVDlgDialog(nullptr, "OwnerDialog") {}

  QIVDlgFile* Open() { return box.Create(this, kLayout, &OwnerDialog::OnOK, &OwnerDialog::OnCancel); }
  void OnOK(QIVCommand*, const QIVNotification&, void*) {
    heard.push_back("OK " + box.Get()->GetSelection().str());
  }
  void OnCancel(QIVCommand*, const QIVNotification&, void*) { heard.push_back("Cancel"); }

  ZELFileSelectionBox box;
  std::vector<std::string> heard;
};

class ZELFileSelectionBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _liveAtStart = QIVBaseUnknown::LiveObjectCount();
    _transcriptMark = QIVTranscript::Current().Size();
    _owner = QIVMake<OwnerDialog>();
  }
  void TearDown() override {
    _owner = nullptr;
    QIVDelayedDestruction::Flush();
    EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart) << "objects left alive";
  }
  std::vector<std::string> Transcript() const {
    return QIVTranscript::Current().LinesSince(_transcriptMark);
  }

  QIVVar<OwnerDialog> _owner;
  long _liveAtStart = 0;

 private:
  std::size_t _transcriptMark = 0;
};

}  // namespace

TEST_F(ZELFileSelectionBoxTest, CreateMakesOneHiddenBoxOverTheOwner) {
  EXPECT_EQ(_owner->box.Get(), nullptr);
  _owner->box.Show();
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());

  QIVDlgFile* box = _owner->Open();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(_owner->box.Get(), box);
  EXPECT_EQ(box->GetName(), "FileSelectionBox");
  EXPECT_EQ(box->GetTitle(), "Pick a file");
  EXPECT_EQ(box->GetFather(), _owner.get());
  EXPECT_EQ(box->GetVisibility(), QIVDlgHide);
  EXPECT_EQ(box->GetFilters().size(), 2u);

  // Asking again while it is there keeps the box and its single routing.
  EXPECT_EQ(_owner->Open(), box);
  _owner->box.Show("/plans");
  EXPECT_EQ(box->GetDirectory(), "/plans");
  ASSERT_TRUE(box->UserChooseFile("/plans/a.txt"));
  // A choice alone leaves the box for the next browse.
  EXPECT_EQ(_owner->box.Get(), box);
  EXPECT_EQ(QIVDelayedDestruction::Pending(), 0u);
  _owner->box.Show();
  ASSERT_TRUE(box->UserCancelFile());
  EXPECT_THAT(_owner->heard, ElementsAre("OK /plans/a.txt", "Cancel"));
  EXPECT_THAT(Transcript(),
              ElementsAre("dialog shown FileSelectionBox \"Pick a file\"", "dialog hidden FileSelectionBox",
                          "dialog shown FileSelectionBox \"Pick a file\"", "dialog hidden FileSelectionBox"));
}

TEST_F(ZELFileSelectionBoxTest, CloseHidesAndFreesTheBoxOnceAndCreateMakesANewOne) {
  const long withOwner = QIVBaseUnknown::LiveObjectCount();
  _owner->Open();
  _owner->box.Show();
  _owner->box.Close();
  _owner->box.Close();
  EXPECT_EQ(_owner->box.Get(), nullptr);
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), withOwner);

  QIVDlgFile* reopened = _owner->Open();
  ASSERT_NE(reopened, nullptr);
  _owner->box.Show();
  ASSERT_TRUE(reopened->UserChooseFile("b.txt"));
  EXPECT_THAT(_owner->heard, ElementsAre("OK b.txt"));
}

TEST_F(ZELFileSelectionBoxTest, AnOpenBoxGoesWithItsOwner) {
  _owner->Open();
  _owner->box.Show();
  _owner = nullptr;
  QIVDelayedDestruction::Flush();
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart);
  EXPECT_EQ(Transcript().back(), "dialog hidden FileSelectionBox");
}
