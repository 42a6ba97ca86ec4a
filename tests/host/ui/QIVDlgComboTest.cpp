#include <gtest/gtest.h>

#include "QIVDlgCombo.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgComboTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _combo = Add<QIVDlgCombo>("ComboOptionId", {QIVNotificationKind::Select});
    for (const char* line : {"All points", "Assigned fasteners", "Not assigned fasteners"})
      _combo->SetLine(line);
    _dialog->SetVisibility(QIVDlgShow);
  }
  QIVDlgCombo* _combo = nullptr;
};

TEST_F(QIVDlgComboTest, LinesAreAppendedOrReplacedAndClearedWithTheChoice) {
  _combo->SetLine("Assigned", 1);
  _combo->SetSelect(2);
  EXPECT_EQ(_combo->Describe(),
            "ComboOptionId combo lines=[\"All points\",\"Assigned\",\"Not assigned fasteners\"] selected=2");
  _combo->ClearLine();
  EXPECT_EQ(_combo->GetSelect(), -1);
  EXPECT_TRUE(_heard.empty());
}

TEST_F(QIVDlgComboTest, ChoosingEmitsSelectEvenForTheSameLine) {
  _combo->SetSelect(0, 1);
  EXPECT_TRUE(_combo->UserChoose(2));
  EXPECT_TRUE(_combo->UserChoose(2));
  EXPECT_EQ(_heard, std::vector<std::string>(3, "Select from ComboOptionId"));

  EXPECT_EQ(_combo->UserChoose(3).reason, "ComboOptionId has no line 3");
  _combo->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(_combo->UserChoose(0).reason, "ComboOptionId is insensitive");
  EXPECT_EQ(_combo->GetSelect(), 2);
  EXPECT_EQ(_heard.size(), 3u);
}

}  // namespace
