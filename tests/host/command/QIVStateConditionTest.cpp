#include <gtest/gtest.h>

#include <memory>

#include "QIVStateCondition.h"

namespace {

using Op = QIVLogicalCondition::Operator;

TEST(QIVStateConditionTest, LogicalConditionsFollowTheirTruthTablesAndShortCircuit) {
  struct Row {
    Op op;
    bool left;
    bool right;
    bool expected;
    int calls;  // guards run, left first
  };
  const Row rows[] = {
      {Op::And, true, true, true, 2},   {Op::And, true, false, false, 2}, {Op::And, false, true, false, 1},
      {Op::Or, false, false, false, 2}, {Op::Or, false, true, true, 2},   {Op::Or, true, false, true, 1},
      {Op::Not, true, true, false, 1},  {Op::Not, false, true, true, 1},
  };
  for (const Row& row : rows) {
    int calls = 0;
    QIVMethodCondition left([&] { return ++calls, row.left; });
    QIVMethodCondition right([&] { return ++calls, row.right; });
    QIVLogicalCondition condition(row.op, &left, row.op == Op::Not ? nullptr : &right);
    EXPECT_EQ(condition.Evaluate(), row.expected) << condition.Describe();
    EXPECT_EQ(calls, row.calls) << condition.Describe();
  }
}

TEST(QIVStateConditionTest, AMissingOperandCountsAsTrue) {
  QIVMethodCondition no([] { return false; }, "No");
  EXPECT_TRUE(QIVLogicalCondition(Op::And, nullptr, nullptr).Evaluate());
  EXPECT_FALSE(QIVLogicalCondition(Op::And, nullptr, &no).Evaluate());
  EXPECT_FALSE(QIVLogicalCondition(Op::Not, nullptr).Evaluate());
  EXPECT_EQ(QIVLogicalCondition(Op::Or, &no, nullptr).Describe(), "(No or true)");
  EXPECT_EQ(QIVLogicalCondition(Op::Not, &no).Describe(), "not No");
}

TEST(QIVStateConditionTest, OutputSetFollowsTheAgentsAcquisition) {
  QIVDialogAgent_var agent = QIVMake<QIVDialogAgent>("Agent");
  agent->AcceptOnNotify(nullptr, QIVNotificationKind::OK);
  QIVOutputSetCondition condition(agent.get());
  EXPECT_FALSE(condition.Evaluate());
  agent->ValuateFromNotification({QIVNotificationKind::OK, nullptr});
  EXPECT_TRUE(condition.Evaluate());
  agent->InitializeAcquisition();
  EXPECT_FALSE(condition.Evaluate());
  EXPECT_EQ(condition.Describe(), "OutputSet(Agent)");
  EXPECT_FALSE(QIVOutputSetCondition(nullptr).Evaluate());
}

}  // namespace
