#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QIVBaseUnknown.h"
#include "QIVDelayedDestruction.h"
#include "QIVDialog.h"
#include "QIVDlgDialog.h"
#include "QIVDlgNotify.h"
#include "QIVTranscript.h"
#include "QIVVar.h"

// A command that records the notifications climbing to it.
class RecordingCommand : public QIVCommand {
 public:
  explicit RecordingCommand(std::vector<std::string>* log) : QIVCommand(nullptr, "Command"), _log(log) {}
  bool ReceiveNotification(const QIVNotification& notification) override {
    _log->push_back("command got " + notification.Format());
    return true;
  }

 private:
  std::vector<std::string>* _log;
};

// Every toolkit test gets a hidden dialog "Dialog" to build widgets in and
// a subscriber to listen with, and must leave no object, shown window or
// queued answer behind.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _liveAtStart = QIVBaseUnknown::LiveObjectCount();
    _transcriptMark = QIVTranscript::Current().Size();
    QIVDlgNotify::ClearAnswers();
    _dialog = QIVMake<QIVDlgDialog>(nullptr, "Dialog");
    _subscriber = QIVMake<QIVCommand>(nullptr, "Subscriber");
  }
  void TearDown() override {
    _dialog = nullptr;
    _subscriber = nullptr;
    QIVDelayedDestruction::Flush();
    EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart);
    QIVDlgNotify::ClearAnswers();
  }
  std::vector<std::string> NewTranscriptLines() const {
    return QIVTranscript::Current().LinesSince(_transcriptMark);
  }

  // A widget of the dialog whose notifications of the given kinds are
  // recorded in _heard.
  template <class Widget>
  Widget* Add(const char* name, std::vector<const char*> kinds = {}, unsigned long style = 0) {
    auto* widget = new Widget(_dialog.get(), name, style);
    Watch(widget, kinds);
    return widget;
  }
  void Watch(QIVCommand* notifier, const std::vector<const char*>& kinds) {
    for (const char* kind : kinds) {
      _subscriber->AddCallback(notifier, kind, [this](QIVCommand*, const QIVNotification& notification) {
        _heard.push_back(notification.Format());
      });
    }
  }

  QIVVar<QIVDlgDialog> _dialog;
  QIVVar<QIVCommand> _subscriber;
  std::vector<std::string> _heard;

 private:
  long _liveAtStart = 0;
  std::size_t _transcriptMark = 0;
};
