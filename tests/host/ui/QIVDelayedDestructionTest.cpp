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

TEST(QIVDelayedDestructionTest, FlushAlsoFreesWhatTheReleasesQueue) {
  long before = QIVBaseUnknown::LiveObjectCount();
  auto* dialog = new QIVCommand(nullptr, "Dialog");
  auto* owner = new Owner(dialog);
  owner->RequestDelayedDestruction();

  QIVDelayedDestruction::Flush();
  EXPECT_EQ(QIVDelayedDestruction::Pending(), 0u);
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}

}  // namespace
