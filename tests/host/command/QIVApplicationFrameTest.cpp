#include <gtest/gtest.h>

#include <optional>

#include "QIVApplicationFrame.h"
#include "QIVDialog.h"

namespace {

TEST(QIVApplicationFrameTest, TheLatestFrameIsCurrentWhileItLives) {
  const long before = QIVBaseUnknown::LiveObjectCount();
  EXPECT_EQ(QIVApplicationFrame::GetFrame(), nullptr);
  {
    QIVApplicationFrame session;
    EXPECT_EQ(QIVApplicationFrame::GetFrame(), &session);
    {
      std::optional<QIVApplicationFrame> nested(std::in_place);
      EXPECT_EQ(QIVApplicationFrame::GetFrame(), &*nested);
      nested.reset();
    }
    EXPECT_EQ(QIVApplicationFrame::GetFrame(), &session);
  }
  EXPECT_EQ(QIVApplicationFrame::GetFrame(), nullptr);
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}

TEST(QIVApplicationFrameTest, TheMainWindowIsShownButNotAmongTheDialogs) {
  QIVApplicationFrame frame;
  QIVDlgWindow* window = frame.GetMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->IsShown());
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
}

}  // namespace
