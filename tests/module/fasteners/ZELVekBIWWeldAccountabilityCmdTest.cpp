#include <gmock/gmock.h>

#include "FastenerTestSupport.h"
#include "QIVDlgLabel.h"
#include "QIVSettingsRepository.h"

using ::testing::ElementsAre;

namespace {

// The fixture's document with W1 also on a second welding activity and on
// one of another document of the plant, and a fastener without a name.
class WeldAccountabilityTest : public FastenerDocumentTest {
 protected:
  void SetUp() override {
    FastenerDocumentTest::SetUp();
    _second =
        ZELIBIWActivityFactory_var(_station)->CreateSpotWeldingActivity(QIVISPPChildManagement_var(_station));
    QIVISPPItemMgt_var(_second)->AddItem(_w1, QIVSPPItemAssigned);
    ZELIBIWFastener_var(_w1)->AddExternalAssignment("Process/Framing/Station 40/Respot");
    QIVBaseUnknown_var top, nameless;
    FastenerFactory()->GetTopGroup(top);
    FastenerFactory()->CreatePointFastener(top, nameless);
    QIVIAlias_var(nameless)->SetAlias("  ");
  }
  void TearDown() override {
    _second = nullptr;
    FastenerDocumentTest::TearDown();
  }
  std::vector<std::string> Report() const { return Cells("WeldActMultiListId", {0, 1, 3}); }
  std::string Title(const std::string& label) const { return Widget<QIVDlgLabel>(label)->GetTitle().str(); }

  QIVBaseUnknown_var _second;
};

}  // namespace

TEST_F(WeldAccountabilityTest, OptionsCountEveryAssignmentAndNumberBySortedPosition) {
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELVekBIWWeldAccountabilityCmd"}), S_OK);
  // All products at the start; the nameless fastener sorts first and is
  // counted, but never listed.
  EXPECT_THAT(Report(), ElementsAre("2 W1, A Process/Station.1/SpotWelding.1;Process/Station.1/SpotWelding.2;"
                                    "Process/Framing/Station 40/Respot;",
                                    "3 W2, A None", "4 W3, B Process/Station.1;"));
  EXPECT_EQ(Text("EdtWeldsAvblId"), "4");
  EXPECT_EQ(Widget<QIVDialog>("EdtWeldsAssignedId")->GetVisibility(), QIVDlgHide);

  // Two activities here and one elsewhere count 3: multi-assigned.
  ASSERT_EQ(Choose("OptionComboId", 3), S_OK);
  EXPECT_THAT(Cells("WeldActMultiListId", {0, 1}), ElementsAre("2 W1, A"));
  EXPECT_EQ(Title("lblWeldsFilterTitleId"), "Fasteners Multi-Assigned");
  EXPECT_EQ(Text("EdtWeldsAssignedId"), "1");
  ASSERT_EQ(Choose("OptionComboId", 2), S_OK);
  EXPECT_THAT(Report(), ElementsAre("3 W2, A None"));
  EXPECT_EQ(Title("lblWeldsFilterTitleId"), "Fasteners not Assigned");
  ASSERT_EQ(Choose("OptionComboId", 1), S_OK);
  EXPECT_THAT(Cells("WeldActMultiListId", {0}), ElementsAre("2", "4"));
  EXPECT_EQ(Text("EdtWeldsAvblId"), "4");

  // The picked product's radio without a product: the empty report, every
  // control shut until a product is picked.
  ASSERT_EQ(Check("rbSelectedProdId"), S_OK);
  EXPECT_THAT(Cells("WeldActMultiListId", {0, 1, 2, 3}), ElementsAre(" None  "));
  EXPECT_EQ(Text("EdtWeldsAvblId"), "0");
  EXPECT_EQ(Text("EdtWeldsAssignedId"), "0");
  for (const char* control : {"rbSelectedProdId", "rbAllProductsId", "OptionComboId", "WeldActMultiListId",
                              "EdtWeldsAvblId", "EdtWeldsAssignedId"})
    EXPECT_FALSE(Sensitive(control)) << control;
  ASSERT_EQ(Pick({_side}), S_OK);
  EXPECT_THAT(Report(), ElementsAre("1 W3, B Process/Station.1;"));
  EXPECT_TRUE(Sensitive("OptionComboId"));
  // A filter that keeps nothing lists nothing but leaves the choice open.
  ASSERT_EQ(Choose("OptionComboId", 2), S_OK);
  EXPECT_TRUE(Report().empty());
  EXPECT_TRUE(Sensitive("rbAllProductsId"));
  ASSERT_EQ(PressDialog(QIVNotificationKind::Cancel), S_OK);
  EXPECT_EQ(Dispatcher().GetActiveCommand(), nullptr);
}
