#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "QIVBaseUnknown.h"
#include "QIVDelayedDestruction.h"
#include "QIVDialog.h"
#include "QIVDlgNotify.h"
#include "QIVTranscript.h"

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

// Every toolkit test starts from a quiet process and must leave no object,
// shown window or queued answer behind.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    _liveAtStart = QIVBaseUnknown::LiveObjectCount();
    _transcriptMark = QIVTranscript::Instance().Size();
    QIVDlgNotify::ClearAnswers();
  }
  void TearDown() override {
    QIVDelayedDestruction::Flush();
    EXPECT_TRUE(QIVDialog::VisibleDialogs().empty());
    EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), _liveAtStart);
    QIVDlgNotify::ClearAnswers();
  }
  std::vector<std::string> NewTranscriptLines() const { return QIVTranscript::Instance().LinesSince(_transcriptMark); }

  // Records each notification `notifier` emits of the given kinds.
  void Watch(QIVCommand& subscriber, QIVCommand* notifier, std::vector<const char*> kinds) {
    for (const char* kind : kinds) {
      subscriber.AddCallback(notifier, kind, [this](QIVCommand*, const QIVNotification& notification) {
        _heard.push_back(notification.Format());
      });
    }
  }

  std::vector<std::string> _heard;

 private:
  long _liveAtStart = 0;
  std::size_t _transcriptMark = 0;
};
