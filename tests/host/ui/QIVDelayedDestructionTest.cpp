#include <gtest/gtest.h>

#include "QIVCommand.h"
#include "QIVDelayedDestruction.h"
#include "QIVVar.h"

namespace {

// Asks for the destruction of another object while being destroyed, as a
// command freeing its dialog does.
class Owner : public QIVCommand {
 public:
  explicit Owner(QIVCommand* owned) : QIVCommand(nullptr, "Owner"), _owned(owned) {}
  ~Owner() override { _owned->RequestDelayedDestruction(); }

 private:
  QIVCommand* _owned;
};

TEST(QIVDelayedDestructionTest, RequestedTwiceFreesOnceAtFlush) {
  long before = QIVBaseUnknown::LiveObjectCount();
  auto* command = new QIVCommand(nullptr, "Command");
  command->RequestDelayedDestruction();
  command->RequestDelayedDestruction();
  EXPECT_TRUE(command->IsDestructionRequested());
  EXPECT_EQ(QIVDelayedDestruction::Pending(), 1u);
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before + 1);

  QIVDelayedDestruction::Flush();
  EXPECT_EQ(QIVDelayedDestruction::Pending(), 0u);
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}

TEST(QIVDelayedDestructionTest, ObjectHeldElsewhereOutlivesTheFlush) {
  QIVVar<QIVCommand> held;
  {
    auto* command = new QIVCommand(nullptr, "Command");
    held = command;
    command->RequestDelayedDestruction();
  }
  QIVDelayedDestruction::Flush();
  ASSERT_TRUE(held);
  EXPECT_EQ(held->RefCount(), 1u);
}

}  // namespace
