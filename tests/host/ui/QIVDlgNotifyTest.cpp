#include "QIVDlgNotify.h"

#include <gtest/gtest.h>

#include "QIVDlgDialog.h"
#include "QIVVar.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgNotifyTest : public UiTest {};

TEST_F(QIVDlgNotifyTest, BoxIsRecordedAndAnsweredWithOKByDefault) {
  QIVVar<QIVDlgDialog> dialog = QIVMake<QIVDlgDialog>(nullptr, "ZELVekBIWReadWeldSelectDlg");
  auto* box = new QIVDlgNotify(dialog.get(), "Name", 0x8100000);

  int answer = box->DisplayBlocked("The document selected is not a valid text file !!", "WARNING");
  EXPECT_EQ(answer, QIVDlgNotify::AnswerOK);
  EXPECT_EQ(box->GetText(), "The document selected is not a valid text file !!");
  EXPECT_EQ(box->GetTitle(), "WARNING");
  EXPECT_EQ(NewTranscriptLines(),
            std::vector<std::string>{
                "box 0x8100000 \"WARNING\" \"The document selected is not a valid text file !!\" -> OK"});
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
}

TEST_F(QIVDlgNotifyTest, QueuedAnswersAreTakenOldestFirst) {
  QIVVar<QIVDlgNotify> box = QIVMake<QIVDlgNotify>(nullptr, "Warning", 0x10100200);
  EXPECT_TRUE(QIVDlgNotify::QueueAnswer("Cancel"));
  EXPECT_TRUE(QIVDlgNotify::QueueAnswer("No"));
  EXPECT_FALSE(QIVDlgNotify::QueueAnswer("Maybe"));
  EXPECT_EQ(QIVDlgNotify::PendingAnswers(), 2u);

  EXPECT_EQ(box->DisplayBlocked("first\nsecond line", "Summary"), QIVDlgNotify::AnswerCancel);
  EXPECT_EQ(box->DisplayBlocked("again", ""), QIVDlgNotify::AnswerNo);
  EXPECT_EQ(box->DisplayBlocked("last", ""), QIVDlgNotify::AnswerOK);
  EXPECT_EQ(QIVDlgNotify::PendingAnswers(), 0u);
  EXPECT_EQ(NewTranscriptLines(), (std::vector<std::string>{"box 0x10100200 \"Summary\" \"first\\nsecond line\" -> Cancel",
                                                            "box 0x10100200 \"\" \"again\" -> No",
                                                            "box 0x10100200 \"\" \"last\" -> OK"}));
  EXPECT_EQ(box->Describe(), "Warning notify box hidden text=\"last\" answer=OK");
}

}  // namespace
