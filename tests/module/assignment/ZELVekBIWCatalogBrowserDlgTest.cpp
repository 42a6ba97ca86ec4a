#include "assignment/ZELVekBIWCatalogBrowserDlg.h"

#include <gmock/gmock.h>

#include "AssignWeldTestSupport.h"
#include "QIVDlgLabel.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(ZELVekBIWCatalogBrowserDlgPatternTest, StarsStandForAnyRun) {
  using B = ZELVekBIWCatalogBrowserDlg;
  EXPECT_TRUE(B::MatchesPattern("W0012", "W0012"));
  EXPECT_FALSE(B::MatchesPattern("W0012", "W001"));
  EXPECT_TRUE(B::MatchesPattern("W0012", "W*"));
  EXPECT_TRUE(B::MatchesPattern("W0012", "*12"));
  EXPECT_TRUE(B::MatchesPattern("W0012", "W*1*2"));
  EXPECT_TRUE(B::MatchesPattern("", "*"));
  EXPECT_FALSE(B::MatchesPattern("", "W"));
  EXPECT_FALSE(B::MatchesPattern("spot weld", "Spot*"));
  EXPECT_TRUE(B::MatchesPattern("aaab", "*a*ab"));
}

class ZELVekBIWCatalogBrowserDlgTest : public AssignWeldTest {
 protected:
  void SetUp() override {
    AssignWeldTest::SetUp();
    _browser = QIVVar<ZELVekBIWCatalogBrowserDlg>::Adopt(new ZELVekBIWCatalogBrowserDlg(nullptr));
    _browser->Build();
    _browser->SetListOfAllAvailableWelds(QIVListValQIVBaseUnknown_var{_w3, _w1, _s1, _w5});
  }
  void TearDown() override {
    _browser = nullptr;
    AssignWeldTest::TearDown();
  }
  std::vector<std::string> Result() const {
    std::vector<std::string> ids;
    for (const QIVUnicodeString& id : _browser->GetCurrentQueryResult()) ids.push_back(id.str());
    return ids;
  }
  QIVVar<ZELVekBIWCatalogBrowserDlg> _browser;
};

TEST_F(ZELVekBIWCatalogBrowserDlgTest, TermsAllHoldAndResultsKeepTheGivenOrder) {
  EXPECT_EQ(_browser->RunQuery("type=spot weld"), S_OK);
  EXPECT_THAT(Result(), ElementsAre("W3", "W1", "W5"));
  EXPECT_EQ(_browser->RunQuery("type=spot weld; name=*A"), S_OK);
  EXPECT_THAT(Result(), ElementsAre("W3", "W1"));
  EXPECT_EQ(_browser->RunQuery(" Category = endo "), S_OK);
  EXPECT_THAT(Result(), ElementsAre("S1"));
  EXPECT_EQ(_browser->RunQuery("W5"), S_OK);
  EXPECT_THAT(Result(), ElementsAre("W5"));
  EXPECT_EQ(_browser->GetResultList()->GetLineCount(), 1);
  EXPECT_EQ(_browser->GetStatusLabel()->GetTitle().str(), "1 fasteners match");
}

TEST_F(ZELVekBIWCatalogBrowserDlgTest, EmptyOrFaultyQueriesGiveNoResult) {
  EXPECT_EQ(_browser->RunQuery(" ; "), S_OK);
  EXPECT_THAT(Result(), IsEmpty());
  EXPECT_EQ(_browser->RunQuery("colour=red"), E_INVALIDARG);
  EXPECT_THAT(Result(), IsEmpty());
  EXPECT_EQ(_browser->GetStatusLabel()->GetTitle().str(), "Unknown attribute: colour");
}

TEST_F(ZELVekBIWCatalogBrowserDlgTest, WindowCloseEmitsTheCloseNotificationOnce) {
  int closes = 0;
  auto listener = QIVMake<QIVCommand>();
  listener->AddCallback(_browser.get(), ZELVekBIWCatalogBrowserDlg::GetCloseNotification(),
                        [&](QIVCommand*, const QIVNotification&) { ++closes; });
  _browser->SetVisibility(QIVDlgShow);
  ASSERT_TRUE(_browser->UserPressButton(QIVNotificationKind::WindowClose));
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(_browser->IsShown());
}
