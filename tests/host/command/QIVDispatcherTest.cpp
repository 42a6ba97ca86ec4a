#include <gmock/gmock.h>

#include "CommandTestSupport.h"
#include "QIVApplicationFrame.h"
#include "QIVCommandDeletion.h"
#include "QIVDictionary.h"
#include "QIVDispatcher.h"
#include "QIVDlgDialog.h"
#include "QIVDlgEditor.h"
#include "QIVDlgNotify.h"
#include "QIVDlgPushButton.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

// The dialog of the test command: a push button whose press the dialog
// analyses itself by telling its father Apply twice and then Cancel, and an
// editor.
class TestDlg : public QIVDlgDialog {
 public:
  explicit TestDlg(QIVCommand* parent) : QIVDlgDialog(parent, "TestDlg") {
    _push = new QIVDlgPushButton(this, "PushId");
    _editor = new QIVDlgEditor(this, "EditorId");
    AddAnalyseNotificationCB(_push, QIVNotificationKind::Activate, &TestDlg::OnPush);
  }
  void OnPush(QIVCommand*, const QIVNotification&, void*) {
    SendNotification(GetFather(), {QIVNotificationKind::Apply, this});
    SendNotification(GetFather(), {QIVNotificationKind::Apply, this});
    SendNotification(GetFather(), {QIVNotificationKind::Cancel, this});
    Log().push_back("push analysed");
  }
  QIVDlgPushButton* _push;
  QIVDlgEditor* _editor;
};

// A weld assignment in miniature: a dialog closed by OK (when allowed) or
// Cancel, welds picked several at once, products picked one by one through
// a filter, and Apply counted.
class TestAssignCmd : public QIVStateCommand {
 public:
  TestAssignCmd()
      : QIVStateCommand("TestAssignCmd", QIVCommandBehavior::SingleInstance, QIVCommandMode::Exclusive) {}
  ~TestAssignCmd() override {
    QIVCommandDeletion(_dialog);
    QIVCommandDeletion(_dialogAgent);
    QIVCommandDeletion(_weldAgent);
    QIVCommandDeletion(_productAgent);
    Log().push_back("destroyed");
  }

  void BuildGraph() override {
    Log().push_back("BuildGraph");
    _dialog = new TestDlg(QIVApplicationFrame::GetFrame()->GetMainWindow());
    _dialog->SetFather(this);
    _dialogAgent = new QIVDialogAgent("DlgAgent", 0, 3);
    for (const char* kind :
         {QIVNotificationKind::OK, QIVNotificationKind::Cancel, QIVNotificationKind::Apply})
      _dialogAgent->AcceptOnNotify(_dialog, kind);
    _weldAgent = new QIVPathElementAgent("WeldAgent", ITestWeld::ClassName(), 0x840800);
    _productAgent = new QIVPathElementAgent("ProductAgent");
    _productAgent->SetElementType(ITestProduct::ClassId());
    _productAgent->SetBehavior(0x800800);
    _productAgent->SetFilter(Filter(this, &TestAssignCmd::IsWantedProduct));
    AddCSOClient(_weldAgent);

    QIVDialogState* state = GetInitialState("State1");
    for (QIVDialogAgent* agent :
         {static_cast<QIVDialogAgent*>(_dialogAgent), static_cast<QIVDialogAgent*>(_weldAgent),
          static_cast<QIVDialogAgent*>(_productAgent)})
      state->AddDialogAgent(agent);
    AddTransition(state, nullptr,
                  AndCondition(IsLastModifiedAgentCondition(_dialogAgent, QIVNotificationKind::OK),
                               Condition(this, &TestAssignCmd::MayFinish)),
                  Action(this, &TestAssignCmd::Finish));
    AddTransition(state, nullptr, IsLastModifiedAgentCondition(_dialogAgent, QIVNotificationKind::Cancel),
                  Action(this, &TestAssignCmd::Close));
    AddTransition(state, state, IsLastModifiedAgentCondition(_dialogAgent, QIVNotificationKind::Apply),
                  Action(this, &TestAssignCmd::Applied));
    AddTransition(state, state, IsOutputSetCondition(_weldAgent), Action(this, &TestAssignCmd::WeldsPicked));
    AddTransition(state, state, IsOutputSetCondition(_productAgent),
                  Action(this, &TestAssignCmd::ProductPicked));
    _dialog->SetVisibility(QIVDlgShow);
  }
  void Activate() override { Log().push_back("Activate"); }
  void Desactivate() override { Log().push_back("Desactivate"); }
  void Cancel() override {
    Log().push_back("Cancel");
    _dialog->SetVisibility(QIVDlgHide);
    RequestDelayedDestruction();
  }

  bool IsWantedProduct(QIVPathElementAgent* agent, void*) {
    QIVVar<ITestProduct> product(agent->GetValue());
    return product && product->GetProductName() != "Unwanted";
  }
  bool MayFinish(void*) {
    Log().push_back("MayFinish");
    return _mayFinish;
  }
  bool Finish(void*) {
    Log().push_back("Finish");
    _dialog->SetVisibility(QIVDlgHide);
    return true;
  }
  bool Close(void*) {
    Log().push_back("Close");
    _dialog->SetVisibility(QIVDlgHide);
    return true;
  }
  bool Applied(void*) {
    Log().push_back("Applied");
    _dialogAgent->InitializeAcquisition();
    return true;
  }
  bool WeldsPicked(void*) {
    std::string line = "welds";
    for (const QIVPathElement_var& path : _weldAgent->GetListOfValues())
      line += " " + std::to_string(QIVVar<ITestWeld>(path->GetLeaf())->GetNumber());
    Log().push_back(line + (_weldAgent->IsExtendSelection() ? " extending" : ""));
    return true;
  }
  bool ProductPicked(void*) {
    Log().push_back("product " + QIVVar<ITestProduct>(_productAgent->GetValue())->GetProductName());
    return true;
  }

  bool _mayFinish = false;
  TestDlg* _dialog = nullptr;
  QIVDialogAgent* _dialogAgent = nullptr;
  QIVPathElementAgent* _weldAgent = nullptr;
  QIVPathElementAgent* _productAgent = nullptr;
};

// Runs one action as it starts and ends.
class TestOneShotCmd : public QIVStateCommand {
 public:
  TestOneShotCmd()
      : QIVStateCommand("TestOneShotCmd", QIVCommandBehavior::ReplaceInstance, QIVCommandMode::Exclusive) {}
  ~TestOneShotCmd() override { Log().push_back("one shot destroyed"); }
  void BuildGraph() override {
    AddTransition(GetInitialState("InitialState"), nullptr, nullptr, Action(this, &TestOneShotCmd::Do));
  }
  bool Do(void*) {
    Log().push_back("Do");
    return true;
  }
};

// Waits for any pick; shared, with the mode and behaviour words of the
// activity creation commands. Its factory argument names it.
class TestSharedCmd : public QIVStateCommand {
 public:
  explicit TestSharedCmd(const char* name)
      : QIVStateCommand(name ? name : "", 0x40, QIVCommandMode::Shared) {}
  static QIVBaseUnknown* Create(void* argument) {
    return static_cast<QIVStateCommand*>(new TestSharedCmd(static_cast<const char*>(argument)));
  }
  void BuildGraph() override {
    _agent = new QIVPathElementAgent("Any");
    QIVDialogState* state = GetInitialState("Waiting");
    state->AddDialogAgent(_agent);
    AddTransition(state, nullptr, IsOutputSetCondition(_agent), Action(this, &TestSharedCmd::Picked));
  }
  ~TestSharedCmd() override { QIVCommandDeletion(_agent); }
  void Activate() override { Log().push_back(GetName().str() + " Activate"); }
  void Desactivate() override { Log().push_back(GetName().str() + " Desactivate"); }
  bool Picked(void*) {
    Log().push_back(GetName().str() + " picked");
    return true;
  }
  QIVPathElementAgent* _agent = nullptr;
};

// Goes round a state without agents for ever.
class TestRoundaboutCmd : public QIVStateCommand {
 public:
  TestRoundaboutCmd() : QIVStateCommand("TestRoundaboutCmd") {}
  void BuildGraph() override {
    QIVDialogState* state = GetInitialState("Round");
    AddTransition(state, state, Condition(this, &TestRoundaboutCmd::Always));
  }
  bool Always(void*) { return true; }
};

// Started on an object: on its way into its second state it shows a box
// that does not block, and the box's OK, heard there, ends it.
class TestWarnCmd : public QIVStateCommand {
 public:
  explicit TestWarnCmd(QIVBaseUnknown* object) : QIVStateCommand("TestWarnCmd"), _object(object) {}
  ~TestWarnCmd() override { QIVCommandDeletion(_boxAgent); }
  void BuildGraph() override {
    _boxAgent = new QIVDialogAgent("BoxAgent");
    QIVDialogState* first = GetInitialState("State1");
    QIVDialogState* second = AddDialogState("State2");
    second->AddDialogAgent(_boxAgent);
    AddTransition(first, second, nullptr, Action(this, &TestWarnCmd::Warn));
    AddTransition(second, nullptr, IsOutputSetCondition(_boxAgent), Action(this, &TestWarnCmd::Closed));
  }
  bool Warn(void*) {
    QIVVar<QIVDlgNotify> box = QIVMake<QIVDlgNotify>(this, "Warning");
    _boxAgent->AcceptOnNotify(box.get(), QIVNotificationKind::OK);
    box->Display(_object ? "object given" : "no object", "Warning");
    Log().push_back("warned");
    return true;
  }
  bool Closed(void*) {
    Log().push_back("box closed");
    return true;
  }
  QIVBaseUnknown_var _object;
  QIVDialogAgent* _boxAgent = nullptr;
};

template <class T>
QIVBaseUnknown* Make() {
  return static_cast<QIVStateCommand*>(new T());
}

const bool Registered = [] {
  QIVDictionary& dictionary = QIVDictionary::Instance();
  dictionary.RegisterFactory("TestAssignCmd", &Make<TestAssignCmd>);
  dictionary.RegisterFactory("TestOneShotCmd", &Make<TestOneShotCmd>);
  dictionary.RegisterFactory("TestSharedCmd", &TestSharedCmd::Create);
  dictionary.RegisterFactory("TestRoundaboutCmd", &Make<TestRoundaboutCmd>);
  dictionary.RegisterFactory(
      "TestWarnCmd",
      +[](void* object) -> QIVBaseUnknown* {
        return static_cast<QIVStateCommand*>(new TestWarnCmd(static_cast<QIVBaseUnknown*>(object)));
      },
      QIVFactoryArgument::Object);
  dictionary.RegisterFactory(
      "TestNotACommand", +[]() { return QIVMake<QIVBaseUnknown>().Detach(); });
  dictionary.RegisterFactory(
      "TestStandaloneDlg", +[]() -> QIVBaseUnknown* {
        return new QIVDlgDialog(QIVApplicationFrame::GetFrame()->GetMainWindow(), "StandaloneDlg");
      });
  return true;
}();

class QIVDispatcherTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    Log().clear();
  }
  TestAssignCmd* StartAssign() {
    EXPECT_EQ(_dispatcher->Deliver(QIVStartEvent{"TestAssignCmd"}), S_OK);
    return dynamic_cast<TestAssignCmd*>(_dispatcher->GetActiveCommand());
  }
  HRESULT Pick(std::vector<QIVPathElement_var> paths, unsigned modifiers = 0) {
    return _dispatcher->Deliver(QIVPickEvent{std::move(paths), modifiers, {}});
  }
};

TEST_F(QIVDispatcherTest, StartingBuildsTheGraphActivatesAndRecords) {
  TestAssignCmd* command = StartAssign();
  ASSERT_NE(command, nullptr);
  EXPECT_EQ(_dispatcher->GetActiveCommandClass(), "TestAssignCmd");
  EXPECT_THAT(Log(), ElementsAre("BuildGraph", "Activate"));
  EXPECT_THAT(NewTranscriptLines(),
              ElementsAre("command started TestAssignCmd", "dialog shown TestDlg \"\""));
  EXPECT_EQ(command->GetCurrentState()->GetName().str(), "State1");
  _dispatcher->CancelAllCommands();
}

TEST_F(QIVDispatcherTest, DialogNotificationsReachTheDialogAgentThroughTheFather) {
  TestAssignCmd* command = StartAssign();
  EXPECT_EQ(_dispatcher->Deliver(QIVWidgetEvent::PressDialog(QIVNotificationKind::OK)), S_OK);
  EXPECT_EQ(command->_dialogAgent->GetLastNotification().sender, command->_dialog);
  EXPECT_EQ(_dispatcher->GetActiveCommand(), command);

  command->_dialogAgent->InitializeAcquisition();
  command->_mayFinish = true;
  Log().clear();
  EXPECT_EQ(_dispatcher->Deliver(QIVWidgetEvent::PressDialog(QIVNotificationKind::OK, "TestDlg")), S_OK);
  EXPECT_THAT(Log(), ElementsAre("MayFinish", "Finish", "destroyed"));
  EXPECT_EQ(_dispatcher->GetActiveCommand(), nullptr);
  EXPECT_THAT(NewTranscriptLines(), ElementsAre("command started TestAssignCmd", "dialog shown TestDlg \"\"",
                                                "dialog hidden TestDlg", "command ended TestAssignCmd"));
}

TEST_F(QIVDispatcherTest, NotificationsRaisedDuringAnEventAreHandledAfterItInTheOrderRaised) {
  StartAssign();
  Log().clear();
  EXPECT_EQ(_dispatcher->Deliver(QIVWidgetEvent::Press("PushId")), S_OK);
  // The notifications wait until the dialog's callback is done; the second
  // Apply finds the agent re-armed by the first transition, and the Cancel
  // raised last closes the command last.
  EXPECT_THAT(Log(), ElementsAre("push analysed", "Applied", "Applied", "Close", "destroyed"));
}

TEST_F(QIVDispatcherTest, PicksGoToTheAgentsThatAcceptTheirElementTypeAndFilter) {
  TestAssignCmd* command = StartAssign();
  Log().clear();
  QIVVar<TestProduct> body = QIVMake<TestProduct>("Body");
  QIVVar<TestWeld> first = QIVMake<TestWeld>(1);
  QIVVar<TestWeld> second = QIVMake<TestWeld>(2);

  EXPECT_EQ(Pick({PathOf({body.get(), first.get()})}), S_OK);
  EXPECT_EQ(Pick({PathOf({body.get()})}), S_OK);
  // One pick of two welds and a product: the weld agent, first in the
  // state, takes both welds; the product is left.
  EXPECT_EQ(
      Pick({PathOf({body.get(), first.get()}), PathOf({body.get()}), PathOf({body.get(), second.get()})}),
      S_OK);
  EXPECT_THAT(Log(), ElementsAre("welds 1", "product Body", "welds 1 2"));
  EXPECT_FALSE(command->_weldAgent->IsOutputSet());  // re-armed: it repeats
  EXPECT_EQ(CSO()->GetSize(), 2);
  _dispatcher->CancelAllCommands();
}

TEST_F(QIVDispatcherTest, ExtendingPicksAddToTheSelectionAndTellTheCommand) {
  StartAssign();
  Log().clear();
  QIVVar<TestWeld> first = QIVMake<TestWeld>(1);
  QIVVar<TestWeld> second = QIVMake<TestWeld>(2);
  Pick({PathOf({first.get()})});
  Pick({PathOf({second.get()})}, QIVPickModifier::Extend);
  EXPECT_THAT(Log(), ElementsAre("welds 1", "welds 2 extending"));
  EXPECT_EQ(CSO()->GetSize(), 2);
  Pick({PathOf({second.get()})});
  EXPECT_EQ(CSO()->GetSize(), 1);
  _dispatcher->CancelAllCommands();
}

TEST_F(QIVDispatcherTest, RefusedEventsGiveAReasonAndChangeNothing) {
  QIVVar<TestProduct> unwanted = QIVMake<TestProduct>("Unwanted");
  QIVVar<TestWeld> weld = QIVMake<TestWeld>(7);
  EXPECT_EQ(Pick({PathOf({weld.get()})}), E_FAIL);
  EXPECT_EQ(_dispatcher->GetLastRefusal(), "no command is running");
  EXPECT_EQ(_dispatcher->Deliver(QIVWidgetEvent::Press("PushId")), E_FAIL);
  EXPECT_EQ(_dispatcher->Deliver(QIVCancelEvent{}), E_FAIL);
  EXPECT_EQ(_dispatcher->Deliver(QIVStartEvent{"NoSuchCmd"}), E_FAIL);
  EXPECT_EQ(_dispatcher->GetLastRefusal(), "no command NoSuchCmd");
  EXPECT_EQ(_dispatcher->Deliver(QIVStartEvent{"TestNotACommand"}), E_FAIL);
  EXPECT_TRUE(NewTranscriptLines().empty());

  TestAssignCmd* command = StartAssign();
  Log().clear();
  const std::size_t linesBefore = NewTranscriptLines().size();
  CSO()->AddElement(PathOf({weld.get()}).get());

  EXPECT_EQ(Pick({PathOf({unwanted.get()})}), E_FAIL);
  EXPECT_THAT(_dispatcher->GetLastRefusal(), HasSubstr("no agent of TestAssignCmd in state State1 takes"));
  EXPECT_EQ(Pick({PathOf({QIVMake<QIVBaseUnknown>().get()})}), E_FAIL);
  EXPECT_EQ(_dispatcher->Deliver(QIVWidgetEvent::Press("NoSuchButton")), E_FAIL);
  EXPECT_THAT(_dispatcher->GetLastRefusal(),
              HasSubstr("no widget \"NoSuchButton\" in the dialogs of TestAssignCmd"));
  command->_dialog->_push->SetSensitivity(QIVDlgDisable);
  EXPECT_EQ(_dispatcher->Deliver(QIVWidgetEvent::Press("PushId")), E_FAIL);
  EXPECT_FALSE(_dispatcher->GetLastRefusal().empty());
  EXPECT_EQ(_dispatcher->Deliver(QIVWidgetEvent::Type("PushId", "text")), E_FAIL);
  EXPECT_EQ(_dispatcher->Deliver(QIVWidgetEvent::File("out.xml")), E_FAIL);
  EXPECT_EQ(_dispatcher->Deliver(QIVStartEvent{"TestAssignCmd"}), E_FAIL);
  EXPECT_EQ(_dispatcher->GetLastRefusal(), "TestAssignCmd is already running");

  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(NewTranscriptLines().size(), linesBefore);
  EXPECT_EQ(CSO()->GetSize(), 1);
  EXPECT_EQ(_dispatcher->GetActiveCommand(), command);
  EXPECT_FALSE(command->_dialogAgent->IsOutputSet());
  _dispatcher->CancelAllCommands();
}

TEST_F(QIVDispatcherTest, AnObjectArgumentReachesItsFactoryAndAModelessBoxAnswersAfterTheEvent) {
  QIVVar<TestWeld> weld = QIVMake<TestWeld>(3);
  EXPECT_EQ(_dispatcher->Deliver(QIVStartEvent("TestWarnCmd", std::string("text"))), E_FAIL);
  EXPECT_EQ(_dispatcher->GetLastRefusal(), "TestWarnCmd takes an object, not a text");
  EXPECT_EQ(_dispatcher->Deliver(QIVStartEvent("TestAssignCmd", std::nullopt, weld.get())), E_FAIL);
  EXPECT_EQ(_dispatcher->GetLastRefusal(), "TestAssignCmd takes no argument");
  EXPECT_TRUE(NewTranscriptLines().empty());

  const QIVStartEvent start("TestWarnCmd", std::nullopt, weld.get(), "weld:3");
  EXPECT_EQ(start.Format(), "start TestWarnCmd weld:3");
  ASSERT_EQ(_dispatcher->Deliver(start), S_OK);
  // The box was answered while the command was still on its way to the
  // state that listens to it: its OK came once the start was handled.
  EXPECT_THAT(Log(), ElementsAre("warned", "box closed"));
  EXPECT_THAT(NewTranscriptLines(), ElementsAre("command started TestWarnCmd",
                                                "box 0x0 \"Warning\" \"object given\" -> OK",
                                                "command ended TestWarnCmd"));
  EXPECT_EQ(_dispatcher->GetCommandCount(), 0);
  EXPECT_EQ(QIVDlgNotify::PendingNotifications(), 0u);
}

TEST_F(QIVDispatcherTest, ModesAndBehavioursDecideWhatStartingDoesToRunningCommands) {
  StartAssign();
  QIVStartEvent shared{"TestSharedCmd", std::string("Create")};
  EXPECT_EQ(_dispatcher->Deliver(shared), S_OK);
  EXPECT_EQ(_dispatcher->GetCommandCount(), 2);
  QIVVar<TestWeld> weld = QIVMake<TestWeld>(1);
  Pick({PathOf({weld.get()})});
  EXPECT_EQ(_dispatcher->GetActiveCommandClass(), "TestAssignCmd");
  EXPECT_THAT(Log(), ElementsAre("BuildGraph", "Activate", "Desactivate", "Create Activate", "Create picked",
                                 "Activate"));

  Log().clear();
  EXPECT_EQ(_dispatcher->Deliver(QIVStartEvent{"TestOneShotCmd"}), S_OK);
  EXPECT_THAT(Log(), ElementsAre("Cancel", "Do", "destroyed", "one shot destroyed"));
  EXPECT_EQ(_dispatcher->GetCommandCount(), 0);
  EXPECT_THAT(NewTranscriptLines(),
              ElementsAre("command started TestAssignCmd", "dialog shown TestDlg \"\"",
                          "command started TestSharedCmd", "command ended TestSharedCmd",
                          "dialog hidden TestDlg", "command cancelled TestAssignCmd",
                          "command started TestOneShotCmd", "command ended TestOneShotCmd"));
}

TEST_F(QIVDispatcherTest, ReplacingACommandOfTheSameClassCancelsTheRunningOne) {
  _dispatcher->Deliver(QIVStartEvent{"TestSharedCmd", std::string("First")});
  _dispatcher->Deliver(QIVStartEvent{"TestSharedCmd", std::string("Second")});
  EXPECT_EQ(_dispatcher->GetCommandCount(), 1);
  EXPECT_EQ(_dispatcher->GetActiveCommand()->GetName().str(), "Second");
  EXPECT_THAT(Log(), ElementsAre("First Activate", "Second Activate"));
  _dispatcher->CancelAllCommands();
}

TEST_F(QIVDispatcherTest, EndlessTransitionsAreStopped) {
  EXPECT_EQ(_dispatcher->Deliver(QIVStartEvent{"TestRoundaboutCmd"}), S_OK);
  EXPECT_EQ(_dispatcher->GetCommandCount(), 0);
  EXPECT_THAT(
      NewTranscriptLines(),
      ElementsAre("command started TestRoundaboutCmd",
                  "command TestRoundaboutCmd stopped in state Round after 100 transitions without input",
                  "command ended TestRoundaboutCmd"));
}

TEST_F(QIVDispatcherTest, ADialogStartedByItsFactoryIsShownAndKeptForTheSession) {
  EXPECT_EQ(_dispatcher->Deliver(QIVStartEvent("TestStandaloneDlg")), S_OK);
  EXPECT_EQ(_dispatcher->GetCommandCount(), 0);
  EXPECT_THAT(NewTranscriptLines(), ElementsAre("dialog shown StandaloneDlg \"\""));
  QIVDelayedDestruction::Flush();
  ASSERT_EQ(QIVDialog::VisibleDialogs().size(), 1u);
  EXPECT_EQ(QIVDialog::VisibleDialogs().front()->GetName().str(), "StandaloneDlg");
}

}  // namespace
