#include <gtest/gtest.h>

#include "QIVDlgMultiList.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgMultiListTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    _list = Add<QIVDlgMultiList>("MultiListWeldAccountId", {QIVNotificationKind::Select});
    _list->SetColumnTitles({"#", "Name", "Type", "Activities"});
    _list->SetColumnSortOrder(0, QIVDlgMultiList::NumericSort);
    _list->AddRow({"10", "W0012", "Spot", "None"});
    _list->AddRow({"9", "W0010", "Spot", "Station.1;"});
    _list->AddRow({"n/a", "W0011", "Stud", "None"});
    _list->AddRow({"100", "W0009", "Spot", "None"});
    _dialog->SetVisibility(QIVDlgShow);
  }
  std::vector<std::string> ShownColumn(int column) const {
    std::vector<std::string> cells;
    for (int position = 0; position < _list->GetRowCount(); ++position) {
      cells.push_back(_list->GetCell(_list->GetRowShownAt(position), column).str());
    }
    return cells;
  }
  QIVDlgMultiList* _list = nullptr;
};

TEST_F(QIVDlgMultiListTest, CellsGrowRowsAndColumnsAsSet) {
  _list->SetColumnTitle(5, "Extra");
  EXPECT_EQ(_list->GetColumnCount(), 6);
  _list->SetCell(4, 1, "W0020");
  EXPECT_EQ(_list->GetRowCount(), 5);
  EXPECT_EQ(_list->GetCell(4, 1), "W0020");
  EXPECT_EQ(_list->GetCell(4, 3), "");
  EXPECT_EQ(_list->GetCell(7, 0), "");
}

TEST_F(QIVDlgMultiListTest, NumericColumnSortsByValueWithTextsLast) {
  _list->SortByColumn(0);
  EXPECT_EQ(ShownColumn(0), (std::vector<std::string>{"9", "10", "100", "n/a"}));
  _list->SortByColumn(0, false);
  EXPECT_EQ(ShownColumn(0), (std::vector<std::string>{"100", "10", "9", "n/a"}));
  _list->SortByColumn(2);
  EXPECT_EQ(ShownColumn(1), (std::vector<std::string>{"W0012", "W0010", "W0009", "W0011"}));
}

TEST_F(QIVDlgMultiListTest, PersonSelectsByShownPositionCodeReadsRows) {
  ASSERT_TRUE(_list->UserSort(1));
  ASSERT_TRUE(_list->UserSelect({0, 3}));
  EXPECT_EQ(_list->GetSelect(), (std::vector<int>{3, 0}));

  _list->AddRow({"1", "W0001", "Spot", "None"});
  ASSERT_TRUE(_list->UserActivate(0));
  EXPECT_EQ(_list->GetSelect(), std::vector<int>{4});
  EXPECT_EQ(_list->UserSort(4).reason, "MultiListWeldAccountId has no column 4");
  EXPECT_EQ(_heard.size(), 2u);
}

}  // namespace
