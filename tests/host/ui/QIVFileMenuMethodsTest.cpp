#include <gtest/gtest.h>

#include "QIVFileMenuMethods.h"
#include "UiTestFixture.h"

namespace {

class QIVFileMenuMethodsTest : public UiTest {};

TEST_F(QIVFileMenuMethodsTest, BoxBelongsToTheDialogItIsCreatedOn) {
  long before = QIVBaseUnknown::LiveObjectCount();
  QIVDlgFile* box = QIVFileMenuMethods::CreateCurrentDocEnvDialogBox(_dialog.get(), "Select text file", 512);
  EXPECT_EQ(box->GetTitle(), "Select text file");
  EXPECT_EQ(box->GetVisibility(), QIVDlgHide);
  EXPECT_EQ(box->GetFather(), _dialog.get());
  _dialog = nullptr;
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before - 1);
}

}  // namespace
