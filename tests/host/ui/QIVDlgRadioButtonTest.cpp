#include <gtest/gtest.h>

#include "QIVDlgFrame.h"
#include "QIVDlgRadioButton.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgRadioButtonTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    auto* modes = Add<QIVDlgFrame>("FrameSelectActivity");
    auto* automatic = Add<QIVDlgFrame>("FrameDn");
    _all = new QIVDlgRadioButton(modes, "RBAllActivities");
    _selected = new QIVDlgRadioButton(modes, "RBSelectedActivity");
    _on = new QIVDlgRadioButton(automatic, "RBActivateAuto");
    _off = new QIVDlgRadioButton(automatic, "RBDeactivateAuto");
    for (QIVDlgRadioButton* radio : {_all, _selected, _on, _off}) Watch(radio, {QIVNotificationKind::Check});
    _dialog->SetVisibility(QIVDlgShow);
  }
  QIVDlgRadioButton *_all, *_selected, *_on, *_off;
};

TEST_F(QIVDlgRadioButtonTest, CheckingOneClearsItsGroupAndOnlyItSpeaks) {
  _all->SetState(true);
  _off->SetState(true);
  EXPECT_TRUE(_heard.empty());

  EXPECT_TRUE(_selected->UserCheck(true));
  EXPECT_TRUE(_selected->GetState());
  EXPECT_FALSE(_all->GetState());
  EXPECT_TRUE(_off->GetState());
  EXPECT_EQ(_heard, std::vector<std::string>{"Check from RBSelectedActivity"});
}

TEST_F(QIVDlgRadioButtonTest, PersonCannotClearARadioButtonDirectly) {
  _on->SetState(true);
  EXPECT_EQ(_on->UserCheck(false).reason,
            "RBActivateAuto is cleared by choosing another button of its group");
  EXPECT_TRUE(_on->GetState());
  EXPECT_TRUE(_heard.empty());
}

}  // namespace
