#include <gtest/gtest.h>

#include "CommandTestSupport.h"
#include "QIVCommandDeletion.h"
#include "QIVPathElementAgent.h"

namespace {

TEST(QIVCommandDeletionTest, FreesAnAgentOnceAfterTheCurrentEvent) {
  const long before = QIVBaseUnknown::LiveObjectCount();
  auto* agent = new QIVPathElementAgent("Agent");
  QIVCommandDeletion(agent);
  QIVCommandDeletion(agent);
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before + 1);
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
  QIVCommandDeletion(nullptr);
}

TEST(QIVCommandDeletionTest, AnAgentAStateStillHoldsLivesUntilTheStateGoes) {
  const long before = QIVBaseUnknown::LiveObjectCount();
  auto* command = new QIVStateCommand("Cmd");
  auto* agent = new QIVDialogAgent("Agent");
  command->GetInitialState("State")->AddDialogAgent(agent);
  QIVCommandDeletion(agent);
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(agent->GetName().str(), "Agent");
  QIVCommandDeletion(command);
  EXPECT_TRUE(command->IsEnded());
  QIVDelayedDestruction::Flush();
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}

}  // namespace
