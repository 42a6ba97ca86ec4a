#include <gtest/gtest.h>

#include "QIVDlgNotify.h"
#include "UiTestFixture.h"

namespace {

class QIVDlgNotifyTest : public UiTest {};

TEST_F(QIVDlgNotifyTest, BoxIsRecordedAndAnsweredWithOKByDefault) {
  auto* box = Add<QIVDlgNotify>("Name", {}, 0x8100000);
  EXPECT_EQ(box->DisplayBlocked("The document selected is not a valid text file !!", "WARNING"),
            QIVDlgNotify::AnswerOK);
  EXPECT_EQ(NewTranscriptLines(),
            std::vector<std::string>{
                "box 0x8100000 \"WARNING\" \"The document selected is not a valid text file !!\" -> OK"});
  EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
}

TEST_F(QIVDlgNotifyTest, QueuedAnswersAreTakenOldestFirst) {
  auto* box = Add<QIVDlgNotify>("Warning", {}, 0x10100200);
  EXPECT_TRUE(QIVDlgNotify::QueueAnswer("Cancel"));
  EXPECT_TRUE(QIVDlgNotify::QueueAnswer("No"));
  EXPECT_FALSE(QIVDlgNotify::QueueAnswer("Maybe"));
  EXPECT_EQ(QIVDlgNotify::PendingAnswers(), 2u);

  EXPECT_EQ(box->DisplayBlocked("first\nsecond line", "Summary"), QIVDlgNotify::AnswerCancel);
  EXPECT_EQ(box->DisplayBlocked("again", ""), QIVDlgNotify::AnswerNo);
  EXPECT_EQ(box->DisplayBlocked("last", ""), QIVDlgNotify::AnswerOK);
  EXPECT_EQ(NewTranscriptLines(),
            (std::vector<std::string>{"box 0x10100200 \"Summary\" \"first\\nsecond line\" -> Cancel",
                                      "box 0x10100200 \"\" \"again\" -> No",
                                      "box 0x10100200 \"\" \"last\" -> OK"}));
  EXPECT_EQ(box->Describe(), "Warning notify box hidden text=\"last\" answer=OK");
}

}  // namespace
