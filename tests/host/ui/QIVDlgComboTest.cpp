#include "QIVDlgCombo.h"

#include <gtest/gtest.h>

#include "QIVDlgDialog.h"
#include "QIVVar.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgComboTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _dialog = QIVMake<QIVDlgDialog>(nullptr, "AssignWeldDlg");
    _subscriber = QIVMake<QIVCommand>(nullptr, "Subscriber");
    _combo = new QIVDlgCombo(_dialog.get(), "ComboOptionId");
    Watch(*_subscriber, _combo, {QIVNotificationKind::Select});
    for (const char* line : {"All points", "Assigned fasteners", "Not assigned fasteners"}) _combo->SetLine(line);
    _dialog->SetVisibility(QIVDlgShow);
  }
  void TearDown() override {
    _dialog = nullptr;
    _subscriber = nullptr;
    UiTest::TearDown();
  }
  QIVVar<QIVDlgDialog> _dialog;
  QIVVar<QIVCommand> _subscriber;
  QIVDlgCombo* _combo = nullptr;
};

TEST_F(QIVDlgComboTest, LinesAreAppendedOrReplacedAndClearedWithTheChoice) {
  _combo->SetLine("Multi-Assigned fasteners", 3);
  _combo->SetLine("Assigned", 1);
  EXPECT_EQ(_combo->GetLineCount(), 4);
  EXPECT_EQ(_combo->GetLine(1), "Assigned");
  EXPECT_EQ(_combo->GetLine(9), "");

  _combo->SetSelect(2);
  EXPECT_EQ(_combo->Describe(),
            "ComboOptionId combo lines=[\"All points\",\"Assigned\",\"Not assigned fasteners\","
            "\"Multi-Assigned fasteners\"] selected=2");
  _combo->ClearLine();
  EXPECT_EQ(_combo->GetSelect(), -1);
  EXPECT_TRUE(_heard.empty());
}

TEST_F(QIVDlgComboTest, ChoosingEmitsSelectEvenForTheSameLine) {
  _combo->SetSelect(0, 1);
  EXPECT_TRUE(_combo->UserChoose(2));
  EXPECT_TRUE(_combo->UserChoose(2));
  EXPECT_EQ(_combo->GetSelect(), 2);
  EXPECT_EQ(_heard, std::vector<std::string>(3, "Select from ComboOptionId"));

  EXPECT_EQ(_combo->UserChoose(3).reason, "ComboOptionId has no line 3");
  EXPECT_EQ(_combo->UserChoose(-1).reason, "ComboOptionId has no line -1");
  _combo->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(_combo->UserChoose(0).reason, "ComboOptionId is insensitive");
  EXPECT_EQ(_combo->GetSelect(), 2);
  EXPECT_EQ(_heard.size(), 3u);
}

}  // namespace
