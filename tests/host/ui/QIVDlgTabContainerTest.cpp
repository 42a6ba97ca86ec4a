#include <gtest/gtest.h>

#include "QIVDlgCombo.h"
#include "QIVDlgTabContainer.h"
#include "QIVDlgTabPage.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgTabContainerTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _tabs = Add<QIVDlgTabContainer>("TabContainerId", {QIVNotificationKind::TabSelected});
    _assignment = new QIVDlgTabPage(_tabs, "TabPageAssignmentId");
    _accountability = new QIVDlgTabPage(_tabs, "TabPageAccountabilityId");
    _productCombo = new QIVDlgCombo(_assignment, "ComboProductId");
    _optionCombo = new QIVDlgCombo(_accountability, "ComboOptionId");
    _optionCombo->SetLine("All points");
    _dialog->SetVisibility(QIVDlgShow);
  }
  QIVDlgTabContainer* _tabs = nullptr;
  QIVDlgTabPage *_assignment = nullptr, *_accountability = nullptr;
  QIVDlgCombo *_productCombo = nullptr, *_optionCombo = nullptr;
};

TEST_F(QIVDlgTabContainerTest, FirstPageShowsUntilAnotherIsChosen) {
  EXPECT_EQ(_tabs->GetSelectedPage(), _assignment);
  EXPECT_TRUE(_productCombo->IsShown());
  EXPECT_EQ(_optionCombo->UserChoose(0).reason, "ComboOptionId is not shown");

  ASSERT_TRUE(_tabs->UserSelectTab("TabPageAccountabilityId"));
  EXPECT_TRUE(_optionCombo->UserChoose(0));
  EXPECT_FALSE(_productCombo->IsShown());
  EXPECT_EQ(_tabs->Describe(),
            "TabContainerId tab container pages=[TabPageAssignmentId,TabPageAccountabilityId] "
            "selected=TabPageAccountabilityId");
  EXPECT_EQ(_heard, std::vector<std::string>{"TabSelected from TabContainerId"});
}

TEST_F(QIVDlgTabContainerTest, ClickOnTheShownTabSpeaksAgainAndUnknownPagesAreRefused) {
  _tabs->SetSelectedPage(_accountability);
  ASSERT_TRUE(_tabs->UserSelectTab("TabPageAccountabilityId"));
  EXPECT_EQ(_tabs->UserSelectTab("TabPageHistoryId").reason, "TabContainerId has no page TabPageHistoryId");
  _assignment->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(_tabs->UserSelectTab("TabPageAssignmentId").reason,
            "TabContainerId cannot open page TabPageAssignmentId");
  EXPECT_EQ(_heard, std::vector<std::string>{"TabSelected from TabContainerId"});
}

TEST_F(QIVDlgTabContainerTest, ChosenPageThatGoesAwayFallsBackToTheFirst) {
  _tabs->SetSelectedPage(_accountability);
  _accountability->RequestDelayedDestruction();
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(_tabs->GetSelectedPage(), _assignment);
  EXPECT_EQ(_tabs->GetPages(), std::vector<QIVDlgTabPage*>{_assignment});
}

}  // namespace
