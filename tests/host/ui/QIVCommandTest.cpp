#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QIVCommand.h"
#include "QIVDelayedDestruction.h"
#include "QIVVar.h"

namespace {

// A command that records what reaches it, and may consume one kind.
class Recorder : public QIVCommand {
 public:
  Recorder(QIVCommand* father, const char* name, std::vector<std::string>* log, const char* consumed = "")
      : QIVCommand(father, name), _log(log), _consumed(consumed) {}

  void OnNotification(QIVCommand* sender, const QIVNotification& notification, void* data) {
    _log->push_back(GetName().str() + " cb " + notification.kind + " from " + sender->GetName().str() +
                    (data ? " " + *static_cast<std::string*>(data) : ""));
  }
  void Forward(QIVCommand*, const QIVNotification& notification, void*) {
    _log->push_back(GetName().str() + " forwards");
    SendNotification(GetFather(), notification);
  }
  bool ReceiveNotification(const QIVNotification& notification) override {
    _log->push_back(GetName().str() + " receives " + notification.Format());
    return notification.kind == _consumed;
  }

 private:
  std::vector<std::string>* _log;
  std::string _consumed;
};

using Recorder_var = QIVVar<Recorder>;

class QIVCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { _liveAtStart = QIVBaseUnknown::LiveObjectCount(); }
  void TearDown() override {
    QIVDelayedDestruction::Flush();
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart);
  }
  std::vector<std::string> _log;
  long _liveAtStart = 0;
};

TEST_F(QIVCommandTest, CallbacksRunInBindingOrderWhoeverBoundThem) {
  Recorder_var button = QIVMake<Recorder>(nullptr, "Button", &_log);
  Recorder_var first = QIVMake<Recorder>(nullptr, "First", &_log);
  Recorder_var second = QIVMake<Recorder>(nullptr, "Second", &_log);
  std::string data = "with data";

  second->AddAnalyseNotificationCB(button.get(), QIVNotificationKind::Activate, &Recorder::OnNotification);
  first->AddAnalyseNotificationCB(button.get(), QIVNotificationKind::Activate, &Recorder::OnNotification,
                                  &data);
  first->AddAnalyseNotificationCB(button.get(), QIVNotificationKind::Select, &Recorder::OnNotification);
  button->SendNotification(QIVNotificationKind::Activate);

  EXPECT_EQ(_log, (std::vector<std::string>{"Second cb Activate from Button",
                                            "First cb Activate from Button with data"}));
  EXPECT_EQ(button->CountCallbacks(QIVNotificationKind::Activate), 2);
}

TEST_F(QIVCommandTest, UnanalysedNotificationClimbsUntilConsumed) {
  Recorder_var top = QIVMake<Recorder>(nullptr, "Top", &_log);
  Recorder_var command = QIVMake<Recorder>(top.get(), "Command", &_log, "OK");
  Recorder_var dialog = QIVMake<Recorder>(command.get(), "Dialog", &_log);
  Recorder_var frame = QIVMake<Recorder>(dialog.get(), "Frame", &_log);

  frame->SendNotification(QIVNotificationKind::OK);
  frame->SendNotification(QIVNotificationKind::Cancel);

  EXPECT_EQ(_log, (std::vector<std::string>{"Dialog receives OK from Frame", "Command receives OK from Frame",
                                            "Dialog receives Cancel from Frame",
                                            "Command receives Cancel from Frame",
                                            "Top receives Cancel from Frame"}));
}

TEST_F(QIVCommandTest, AnalysedNotificationStopsUnlessForwarded) {
  Recorder_var command = QIVMake<Recorder>(nullptr, "Command", &_log);
  Recorder_var dialog = QIVMake<Recorder>(command.get(), "Dialog", &_log);
  dialog->AddAnalyseNotificationCB(dialog.get(), QIVNotificationKind::Apply, &Recorder::OnNotification);
  dialog->AddAnalyseNotificationCB(dialog.get(), QIVNotificationKind::OK, &Recorder::Forward);

  dialog->SendNotification(QIVNotificationKind::Apply);
  dialog->SendNotification(QIVNotificationKind::OK);

  EXPECT_EQ(_log, (std::vector<std::string>{"Dialog cb Apply from Dialog", "Dialog forwards",
                                            "Command receives OK from Dialog"}));
}

TEST_F(QIVCommandTest, CallbacksGoWithTheirSubscriberOrNotifier) {
  Recorder_var button = QIVMake<Recorder>(nullptr, "Button", &_log);
  Recorder_var listener = QIVMake<Recorder>(nullptr, "Listener", &_log);
  {
    Recorder_var shortLived = QIVMake<Recorder>(nullptr, "ShortLived", &_log);
    shortLived->AddAnalyseNotificationCB(button.get(), "Activate", &Recorder::OnNotification);
    listener->AddAnalyseNotificationCB(button.get(), "Activate", &Recorder::OnNotification);
    Recorder_var otherButton = QIVMake<Recorder>(nullptr, "Other", &_log);
    listener->AddAnalyseNotificationCB(otherButton.get(), "Activate", &Recorder::OnNotification);
  }
  button->SendNotification("Activate");
  EXPECT_EQ(_log, std::vector<std::string>{"Listener cb Activate from Button"});

  QIVCallbackId id = listener->AddAnalyseNotificationCB(button.get(), "Select", &Recorder::OnNotification);
  listener->RemoveAnalyseNotificationCB(id);
  EXPECT_EQ(button->CountCallbacks("Select"), 0);
  listener = nullptr;
  EXPECT_EQ(button->CountCallbacks("Activate"), 0);
}

TEST_F(QIVCommandTest, CallbackRemovedDuringEmissionIsNotCalled) {
  Recorder_var button = QIVMake<Recorder>(nullptr, "Button", &_log);
  Recorder_var listener = QIVMake<Recorder>(nullptr, "Listener", &_log);
  QIVCallbackId later = 0;
  listener->AddCallback(button.get(), "Activate", [&](QIVCommand*, const QIVNotification&) {
    _log.push_back("first");
    listener->RemoveAnalyseNotificationCB(later);
    listener->AddCallback(button.get(), "Activate",
                          [&](QIVCommand*, const QIVNotification&) { _log.push_back("new"); });
  });
  later = listener->AddCallback(button.get(), "Activate",
                                [&](QIVCommand*, const QIVNotification&) { _log.push_back("removed"); });

  button->SendNotification("Activate");
  EXPECT_EQ(_log, std::vector<std::string>{"first"});
}

TEST_F(QIVCommandTest, DestroyedFatherLeavesItsChildrenWithoutFather) {
  Recorder_var child = QIVMake<Recorder>(nullptr, "Child", &_log);
  {
    Recorder_var father = QIVMake<Recorder>(nullptr, "Father", &_log);
    child->SetFather(father.get());
    EXPECT_EQ(father->GetChildren(), std::vector<QIVCommand*>{child.get()});
  }
  EXPECT_EQ(child->GetFather(), nullptr);
  child->SendNotification("OK");
  EXPECT_TRUE(_log.empty());
}

}  // namespace
