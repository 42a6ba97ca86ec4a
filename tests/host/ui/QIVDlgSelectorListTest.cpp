#include <gtest/gtest.h>

#include "QIVDlgSelectorList.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgSelectorListTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _list = Add<QIVDlgSelectorList>("SelectListLeftId",
                                    {QIVNotificationKind::Select, QIVNotificationKind::Activate});
    for (const char* line : {"W0010", "W0011", "W0012", "W0013"}) _list->SetLine(line);
    _dialog->SetVisibility(QIVDlgShow);
  }
  QIVDlgSelectorList* _list = nullptr;
};

TEST_F(QIVDlgSelectorListTest, SelectionKeepsTheOrderThePersonGave) {
  ASSERT_TRUE(_list->UserSelect({3, 0, 2}));
  EXPECT_EQ(_list->GetSelect(), (std::vector<int>{3, 0, 2}));
  EXPECT_FALSE(_list->IsSelected(1));

  ASSERT_TRUE(_list->UserSelect({}));
  EXPECT_EQ(_list->GetSelectCount(), 0);
  EXPECT_EQ(_heard, std::vector<std::string>(2, "Select from SelectListLeftId"));
}

TEST_F(QIVDlgSelectorListTest, RefusesRowsOutOfRangeAndInsensitiveLists) {
  _list->SetSelect({1});
  EXPECT_EQ(_list->UserSelect({0, 4}).reason, "SelectListLeftId has no row 4");
  EXPECT_EQ(_list->UserActivate(-1).reason, "SelectListLeftId has no row -1");
  _list->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(_list->UserSelect({0}).reason, "SelectListLeftId is insensitive");
  EXPECT_EQ(_list->GetSelect(), std::vector<int>{1});
  EXPECT_TRUE(_heard.empty());
}

TEST_F(QIVDlgSelectorListTest, DoubleClickSelectsTheRowThenActivates) {
  ASSERT_TRUE(_list->UserActivate(2));
  EXPECT_EQ(_list->GetSelect(), std::vector<int>{2});
  ASSERT_TRUE(_list->UserActivate(2));
  EXPECT_EQ(_heard,
            (std::vector<std::string>{"Select from SelectListLeftId", "Activate from SelectListLeftId",
                                      "Activate from SelectListLeftId"}));
}

TEST_F(QIVDlgSelectorListTest, SelectionFollowsRowsRemovedByCode) {
  _list->SetSelect({0, 2, 3, 2, 7});
  EXPECT_EQ(_list->GetSelect(), (std::vector<int>{0, 2, 3}));
  _list->RemoveRow(2);
  EXPECT_EQ(_list->GetSelect(), (std::vector<int>{0, 2}));
  EXPECT_EQ(_list->GetLine(2), "W0013");
  _list->SetRowSelected(1, true);
  _list->SetRowSelected(0, false);
  EXPECT_EQ(_list->GetSelect(), (std::vector<int>{2, 1}));
  EXPECT_TRUE(_heard.empty());
}

}  // namespace
