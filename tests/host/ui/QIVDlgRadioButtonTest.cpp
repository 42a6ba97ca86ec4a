#include "QIVDlgRadioButton.h"

#include <gtest/gtest.h>

#include "QIVDlgDialog.h"
#include "QIVDlgFrame.h"
#include "QIVVar.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgRadioButtonTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _dialog = QIVMake<QIVDlgDialog>(nullptr, "ManufAssly");
    _subscriber = QIVMake<QIVCommand>(nullptr, "Subscriber");
    auto* modes = new QIVDlgFrame(_dialog.get(), "FrameSelectActivity");
    auto* automatic = new QIVDlgFrame(_dialog.get(), "FrameDn");
    _all = new QIVDlgRadioButton(modes, "RBAllActivities");
    _selected = new QIVDlgRadioButton(modes, "RBSelectedActivity");
    _on = new QIVDlgRadioButton(automatic, "RBActivateAuto");
    _off = new QIVDlgRadioButton(automatic, "RBDeactivateAuto");
    for (QIVDlgRadioButton* radio : {_all, _selected, _on, _off}) Watch(*_subscriber, radio, {"Check"});
    _dialog->SetVisibility(QIVDlgShow);
  }
  void TearDown() override {
    _dialog = nullptr;
    _subscriber = nullptr;
    UiTest::TearDown();
  }
  QIVVar<QIVDlgDialog> _dialog;
  QIVVar<QIVCommand> _subscriber;
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
  EXPECT_EQ(_all->Describe(), "RBAllActivities radio button check=off");
}

TEST_F(QIVDlgRadioButtonTest, PersonCannotClearARadioButtonDirectly) {
  _on->SetState(true);
  QIVUserEventResult refused = _on->UserCheck(false);
  EXPECT_FALSE(refused);
  EXPECT_EQ(refused.reason, "RBActivateAuto is cleared by choosing another button of its group");
  EXPECT_TRUE(_on->GetState());
  EXPECT_TRUE(_heard.empty());
}

}  // namespace
