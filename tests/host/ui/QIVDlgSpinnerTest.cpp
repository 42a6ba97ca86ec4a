#include "QIVDlgSpinner.h"

#include <gtest/gtest.h>

#include "QIVDlgDialog.h"
#include "QIVVar.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgSpinnerTest : public UiTest {};

TEST_F(QIVDlgSpinnerTest, ValueStaysInItsRange) {
  QIVVar<QIVDlgDialog> dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
  QIVVar<QIVCommand> subscriber = QIVMake<QIVCommand>(nullptr, "Subscriber");
  auto* spinner = new QIVDlgSpinner(dialog.get(), "Count");
  Watch(*subscriber, spinner, {QIVNotificationKind::ValueChanged});
  dialog->SetVisibility(QIVDlgShow);

  spinner->SetValue(50);
  spinner->SetRange(10, 0, 2);
  EXPECT_DOUBLE_EQ(spinner->GetMinimum(), 0);
  EXPECT_DOUBLE_EQ(spinner->GetValue(), 10);
  spinner->SetValue(-3);
  EXPECT_DOUBLE_EQ(spinner->GetValue(), 0);

  EXPECT_TRUE(spinner->UserSetValue(4));
  EXPECT_EQ(spinner->UserSetValue(12).reason, "Count takes values from 0 to 10");
  EXPECT_EQ(spinner->Describe(), "Count spinner value=4 range=[0,10]");
  EXPECT_EQ(_heard, std::vector<std::string>{"ValueChanged from Count"});
}

}  // namespace
