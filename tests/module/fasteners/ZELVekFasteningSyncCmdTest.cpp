#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "QIVSPPActivityType.h"
#include "ZELSimulationWorld.h"

using ::testing::ElementsAre;
using State = ZELSimulationWorld::State;

namespace {

// A line of two stations in flow, A then B (B's loading and welding below
// it), and a grouping G outside the flow. A handles P1, B P2, B's loading
// P3, G P4; P5 is handled by nobody.
class ZELVekFasteningSyncCmdTest : public ModuleTestSession {
 protected:
  void SetUp() override {
    ModuleTestSession::SetUp();
    QIVBaseUnknown_var root, line;
    Document()->GetRootActivity(root);
    QIVISPPChildManagement_var(root)->CreateChild(QIVSPPActivityTypes::Grouping, line);
    a = Child(line, QIVSPPActivityTypes::Station);
    b = Child(line, QIVSPPActivityTypes::Station);
    bLoading = Child(b, QIVSPPActivityTypes::Loading);
    bWelding = Child(b, QIVSPPActivityTypes::SpotWelding);
    g = Child(root, QIVSPPActivityTypes::Grouping);
    QIVISPPFlowMgt_var(a)->AddNextActivity(b);
    for (const char* name : {"P1", "P2", "P3", "P4", "P5"}) {
      QIVBaseUnknown_var product;
      Document()->CreateProduct(nullptr, name, "", product);
      products.push_back(product);
    }
    const std::pair<QIVBaseUnknown_var, int> handled[] = {{a, 0}, {b, 1}, {bLoading, 2}, {g, 3}};
    for (const auto& [activity, product] : handled) QIVISPPItemMgt_var(activity)->AddItem(products[product]);
  }
  void TearDown() override {
    a = b = bLoading = bWelding = g = nullptr;
    products.clear();
    ModuleTestSession::TearDown();
  }

  QIVBaseUnknown_var Child(const QIVBaseUnknown_var& parent, const char* type) {
    QIVBaseUnknown_var child;
    QIVISPPChildManagement_var(parent)->CreateChild(type, child);
    return child;
  }
  std::vector<State> States() const {
    std::vector<State> states;
    for (const QIVBaseUnknown_var& product : products)
      states.push_back(ZELSimulationWorld::Instance().GetState(product));
    return states;
  }
  int Updates() const { return ZELSimulationWorld::Instance().GetUpdateCount(); }

  QIVBaseUnknown_var a, b, bLoading, bWelding, g;
  std::vector<QIVBaseUnknown_var> products;
};

}  // namespace

TEST_F(ZELVekFasteningSyncCmdTest, UpdatesTheWorldOncePerStationInFlowOrder) {
  const std::string before = SavedText();
  ASSERT_EQ(Deliver(QIVStartEvent{"ZELVekFasteningSyncCmd"}), S_OK);
  const int start = Updates();
  ASSERT_EQ(Pick({bLoading}), S_OK);
  EXPECT_THAT(States(),
              ElementsAre(State::Assembled, State::Loaded, State::Loaded, State::Absent, State::Absent));
  // Another activity of the same station changes nothing.
  ASSERT_EQ(Pick({bWelding}), S_OK);
  EXPECT_EQ(Updates(), start + 1);
  EXPECT_EQ(Dispatcher().GetLastOutcome()->redrawn.size(), 1u);
  // A grouping indicated is its own station; nothing before it in flow.
  ASSERT_EQ(Pick({g}), S_OK);
  EXPECT_THAT(States(),
              ElementsAre(State::Absent, State::Absent, State::Absent, State::Loaded, State::Absent));
  EXPECT_EQ(Updates(), start + 2);
  // In isolation the station shows only what it handles itself.
  ASSERT_EQ(Pick({b}), S_OK);
  ASSERT_EQ(Check("RadioStationIsolation"), S_OK);
  EXPECT_THAT(States(),
              ElementsAre(State::Absent, State::Loaded, State::Loaded, State::Absent, State::Absent));
  // The process root lies in no station: the world stays.
  QIVBaseUnknown_var root;
  Document()->GetRootActivity(root);
  ASSERT_EQ(Pick({root}), S_OK);
  EXPECT_EQ(ZELSimulationWorld::Instance().GetStation(), b);

  // Cancelling puts the design locations back; the document never moved.
  ASSERT_EQ(Deliver(QIVCancelEvent{}), S_OK);
  EXPECT_THAT(States(),
              ElementsAre(State::Design, State::Design, State::Design, State::Design, State::Design));
  EXPECT_EQ(SavedText(), before);
}
