#include <gtest/gtest.h>

#include "QIVDlgSpinner.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgSpinnerTest : public UiTest {};

TEST_F(QIVDlgSpinnerTest, ValueStaysInItsRange) {
  auto* spinner = Add<QIVDlgSpinner>("Count", {QIVNotificationKind::ValueChanged});
  _dialog->SetVisibility(QIVDlgShow);
  spinner->SetValue(50);
  spinner->SetRange(10, 0, 2);
  EXPECT_DOUBLE_EQ(spinner->GetValue(), 10);

  EXPECT_TRUE(spinner->UserSetValue(4));
  EXPECT_EQ(spinner->UserSetValue(12).reason, "Count takes values from 0 to 10");
  EXPECT_EQ(spinner->Describe(), "Count spinner value=4 range=[0,10]");
  EXPECT_EQ(_heard, std::vector<std::string>{"ValueChanged from Count"});
}

}  // namespace
