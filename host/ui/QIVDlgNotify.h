#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "QIVDialog.h"

// A blocking message box. Nobody sits at the screen: the box is told to
// the session (which writes it to the transcript) and answered from the
// session's queue of answers the journal gave, or with OK when the queue
// is empty.
class QIVDlgNotify : public QIVDialog {
 public:
  enum Answer { AnswerOK = 1, AnswerCancel, AnswerYes, AnswerNo };

  QIVDlgNotify(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style, Role::Window) {}

  // Shows the box until it is answered; returns the answer.
  int DisplayBlocked(const QIVUnicodeString& message, const QIVUnicodeString& title);
  // Shows the box and lets the caller go on. The answer is taken as for a
  // blocked box, but comes back the way a click would: as the box's
  // notification (OK, Cancel, Yes, No), sent once the event that showed
  // the box has been handled.
  void Display(const QIVUnicodeString& message, const QIVUnicodeString& title);
  // Sends the notifications of the boxes answered since the last call, in
  // the order they were shown; false when there were none. The dispatcher
  // calls it after each step of an event.
  static bool DeliverAnswers();
  static std::size_t PendingNotifications();
  // The catalogue and key the message was taken from, told with the box.
  void SetMessageSource(std::string catalog, std::string key);
  const QIVUnicodeString& GetText() const { return _message; }
  int GetAnswer() const { return _answer; }

  // Answers for the next boxes, first given first used: "OK", "Cancel",
  // "Yes" or "No". Returns false for any other word.
  static bool QueueAnswer(std::string_view answer);
  static void ClearAnswers();
  static std::size_t PendingAnswers();
  static const char* AnswerName(int answer);

  const char* GetImplClassName() const override { return "QIVDlgNotify"; }

 protected:
  const char* KindName() const override { return "notify box"; }
  void DescribeState(std::string& line) const override;

 private:
  int TakeAnswer(const QIVUnicodeString& message, const QIVUnicodeString& title);

  QIVUnicodeString _message;
  std::string _catalog;
  std::string _key;
  int _answer = 0;
};
