#include <gmock/gmock.h>

#include "CommandTestSupport.h"
#include "QIVCommandDeletion.h"
#include "QIVStateCommand.h"

using ::testing::ElementsAre;

namespace {

// A command whose graph each test writes, run without a dispatcher; every
// action is logged.
class ScriptedCmd : public QIVStateCommand {
 public:
  explicit ScriptedCmd(std::vector<std::string>* log) : QIVStateCommand("ScriptedCmd", 0x40, 0), _log(log) {
    _first = new QIVDialogAgent("First");
    _second = new QIVDialogAgent("Second", QIVAgentBehavior::Repeat);
    _first->AcceptOnNotify(nullptr, QIVNotificationKind::OK);
    _second->AcceptOnNotify(nullptr, QIVNotificationKind::OK);
    _second->AcceptOnNotify(nullptr, QIVNotificationKind::Apply);
  }
  ~ScriptedCmd() override {
    QIVCommandDeletion(_first);
    QIVCommandDeletion(_second);
    _log->push_back("destroyed");
  }

  bool Act(void* data) {
    _log->push_back(std::string("act ") + static_cast<const char*>(data));
    return _actionCompletes;
  }

  std::vector<std::string>* _log;
  QIVDialogAgent* _first;
  QIVDialogAgent* _second;
  bool _actionCompletes = true;
};

class QIVStateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _liveAtStart = QIVBaseUnknown::LiveObjectCount();
    _command = new ScriptedCmd(&_log);
  }
  void TearDown() override {
    if (_command && !_command->IsEnded()) _command->RequestDelayedDestruction();
    QIVDelayedDestruction::Flush();
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart);
  }
  QIVStateAction* Act(const char* label) {
    return _command->Action(_command, &ScriptedCmd::Act, nullptr, nullptr, const_cast<char*>(label));
  }
  void Notify(const char* kind) { _command->ReceiveNotification(QIVNotification{kind, nullptr}); }

  std::vector<std::string> _log;
  ScriptedCmd* _command = nullptr;
  long _liveAtStart = 0;
};

TEST_F(QIVStateCommandTest, StatesAreFoundByNameAndTheFirstIsInitialUnlessNamedSo) {
  QIVDialogState* waiting = _command->AddDialogState("Waiting");
  EXPECT_EQ(_command->AddDialogState("Waiting"), waiting);
  QIVDialogState* initial = _command->GetInitialState("Start");
  EXPECT_EQ(_command->GetInitialState("Other"), initial);
  EXPECT_EQ(_command->GetState("Start"), initial);
  EXPECT_EQ(_command->GetState("Missing"), nullptr);
  _command->Start();
  EXPECT_EQ(_command->GetCurrentState(), initial);
}

TEST_F(QIVStateCommandTest, AnActionAnsweringFalseKeepsTheCommandWhereItWas) {
  QIVDialogState* start = _command->GetInitialState("Start");
  start->AddDialogAgent(_command->_second);
  _command->AddTransition(start, nullptr, _command->IsOutputSetCondition(_command->_second), Act("refused"));
  _command->_actionCompletes = false;
  _command->Start();
  Notify(QIVNotificationKind::OK);
  EXPECT_THAT(_log, ElementsAre("act refused"));
  EXPECT_FALSE(_command->IsEnded());
  EXPECT_TRUE(_command->_second->IsOutputSet());  // not re-armed: nothing completed
}

TEST_F(QIVStateCommandTest, LastModifiedAgentConditionTellsWhichAgentAndNotificationCameLast) {
  QIVDialogState* start = _command->GetInitialState("Start");
  start->AddDialogAgent(_command->_first);
  start->AddDialogAgent(_command->_second);
  QIVStateCondition* secondApplied =
      _command->IsLastModifiedAgentCondition(_command->_second, QIVNotificationKind::Apply);
  QIVStateCondition* firstAny = _command->IsLastModifiedAgentCondition(_command->_first);
  _command->Start();

  EXPECT_FALSE(secondApplied->Evaluate());
  _command->OfferNotification({QIVNotificationKind::OK, nullptr});  // both take it, the second last
  EXPECT_FALSE(secondApplied->Evaluate());
  EXPECT_FALSE(firstAny->Evaluate());
  _command->OfferNotification({QIVNotificationKind::Apply, nullptr});
  EXPECT_TRUE(secondApplied->Evaluate());
  _command->_second->InitializeAcquisition();
  EXPECT_FALSE(secondApplied->Evaluate());
  EXPECT_EQ(secondApplied->Describe(), "LastModified(Second, Apply)");
}

TEST_F(QIVStateCommandTest, NotificationsNoAgentWantsClimbOn) {
  QIVDialogState* start = _command->GetInitialState("Start");
  start->AddDialogAgent(_command->_first);
  _command->Start();
  EXPECT_FALSE(_command->ReceiveNotification({QIVNotificationKind::Cancel, nullptr}));
  EXPECT_TRUE(_command->ReceiveNotification({QIVNotificationKind::OK, nullptr}));
  EXPECT_FALSE(_command->ReceiveNotification({QIVNotificationKind::OK, nullptr}));  // holds a value
}

}  // namespace
