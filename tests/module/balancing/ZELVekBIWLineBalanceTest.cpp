#include "balancing/ZELVekBIWLineBalance.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "StickyJointBody.h"
#include "ZELIBIWActivityWelding.h"

using ::testing::ElementsAre;

namespace {

// The body's line with a second station: Station.1 / Outer (2 s a weld) /
// Inner (2 s) holding Floor, Side and Tunnel; Station.2 / Second (1 s a
// weld) holding Tunnel, Roof and an incoming assembly of Floor and Side.
// W1, W2 and W3 are on Outer; W4 is unassigned; the sealant S1 fits no
// spot welding.
class ZELVekBIWLineBalanceTest : public StickyJointBody {
 protected:
  void SetUp() override {
    StickyJointBody::SetUp();
    Document()->GetRootActivity(_root);
    const QIVBaseUnknown_var station2 =
        ZELIBIWActivityFactory_var(_root)->CreateStationActivity(QIVISPPChildManagement_var(_root));
    _second = ZELIBIWActivityFactory_var(station2)->CreateSpotWeldingActivity(QIVISPPChildManagement_var(station2));
    QIVISPPActivity_var(_second)->SetName("Second");
    ZELIBIWActivityWelding_var(_outer)->SetPointFasteningRate(2.0);
    ZELIBIWActivityWelding_var(_inner)->SetPointFasteningRate(2.0);
    ZELIBIWActivityWelding_var(_second)->SetPointFasteningRate(1.0);
    Give(_outer, {_floor, _side, _tunnel, _w1, _w2, _w3});
    Give(_inner, {_floor, _side});
    Give(_second, {_tunnel, _roof, Assembly({_floor, _side})});
  }
  void TearDown() override {
    _root = _second = nullptr;
    StickyJointBody::TearDown();
  }
  static double CycleTime(const QIVBaseUnknown_var& activity) {
    double seconds = -1.0;
    QIVISPPActivity_var(activity)->GetCycleTime(seconds);
    return seconds;
  }

  QIVBaseUnknown_var _root, _second;
};

}  // namespace

TEST_F(ZELVekBIWLineBalanceTest, FastenersGoOnlyWhereTheirPartsAndTypeAllowAndLockedOnesStay) {
  const ZELVekBIWLineBalance line(_root, ZELVekBIWLineBalance::Scope::All, {_w2});
  const ZELVekBIWBalanceProblem& problem = line.Problem();
  ASSERT_EQ(problem.stations.size(), 2u);
  EXPECT_DOUBLE_EQ(problem.stations[0].fixedSeconds, 2.0);  // the locked W2
  ASSERT_EQ(problem.fasteners.size(), 3u);
  EXPECT_EQ(problem.fasteners[0].name, "W1, A");
  // W1 joins Floor and Side, which reach Second only inside one assembly.
  EXPECT_EQ(problem.fasteners[0].options.size(), 2u);
  EXPECT_EQ(problem.fasteners[1].name, "W3, B");
  EXPECT_EQ(problem.fasteners[2].name, "W4, C");
  EXPECT_EQ(problem.fasteners[2].current, -1);
  EXPECT_THAT(NamesOf(line.Unreachable()), ElementsAre("S1"));

  const ZELVekBIWLineBalancer::Result result = ZELVekBIWLineBalancer::Balance(problem, {});
  EXPECT_DOUBLE_EQ(result.bottleneckBefore, 6.0);
  EXPECT_DOUBLE_EQ(result.bottleneckAfter, 4.0);
  EXPECT_EQ(result.moves, 2);
  ASSERT_EQ(line.Apply(result.activityOf), S_OK);
  EXPECT_THAT(Assigned(_outer), ElementsAre("W1, A", "W2, A"));
  EXPECT_THAT(Assigned(_second), ElementsAre("W3, B", "W4, C"));
  EXPECT_DOUBLE_EQ(CycleTime(_outer), 4.0);
  EXPECT_DOUBLE_EQ(CycleTime(_second), 2.0);
  EXPECT_DOUBLE_EQ(CycleTime(_station), 4.0);
}

TEST_F(ZELVekBIWLineBalanceTest, BalancingOnlyTheUnassignedKeepsEveryAssignment) {
  const ZELVekBIWLineBalance line(_root, ZELVekBIWLineBalance::Scope::Unassigned, {});
  ASSERT_EQ(line.Problem().fasteners.size(), 1u);
  EXPECT_DOUBLE_EQ(line.Problem().stations[0].fixedSeconds, 6.0);
  const ZELVekBIWLineBalancer::Result result = ZELVekBIWLineBalancer::Balance(line.Problem(), {});
  EXPECT_EQ(result.moves, 1);
  EXPECT_DOUBLE_EQ(result.bottleneckAfter, 6.0);
}
