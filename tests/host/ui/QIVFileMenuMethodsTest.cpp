#include "QIVFileMenuMethods.h"

#include <gtest/gtest.h>

#include "QIVDlgDialog.h"
#include "QIVVar.h"
#include "UiTestFixture.h"

namespace {

class QIVFileMenuMethodsTest : public UiTest {};

TEST_F(QIVFileMenuMethodsTest, BoxBelongsToTheDialogItIsCreatedOn) {
  long before = QIVBaseUnknown::LiveObjectCount();
  QIVVar<QIVDlgDialog> dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
  QIVDlgFile* box = QIVFileMenuMethods::CreateCurrentDocEnvDialogBox(dialog.get(), "Select text file", 512);

  EXPECT_EQ(box->GetTitle(), "Select text file");
  EXPECT_EQ(box->GetStyle(), 512u);
  EXPECT_EQ(box->GetVisibility(), QIVDlgHide);
  EXPECT_EQ(box->GetFather(), dialog.get());
  dialog = nullptr;
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}

}  // namespace
