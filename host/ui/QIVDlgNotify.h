#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "QIVDialog.h"

// A blocking message box. The box is told to the session (which writes it
// to the transcript) and answered from the session's queue of answers the
// journal gave; with the queue empty, a question is put to the session's
// asker (a person at a screen) when it has one, and any other box is
// closed with its first button.
//
// Its buttons are given by the style word: OKCancelButtons gives OK and
// Cancel, YesNoButtons Yes and No, both Yes, No and Cancel; a box with
// neither has OK alone. A box of more than one button is a question.
class QIVDlgNotify : public QIVDialog {
 public:
  enum Answer { AnswerOK = 1, AnswerCancel, AnswerYes, AnswerNo };
  static constexpr unsigned long OKCancelButtons = 0x1;
  static constexpr unsigned long YesNoButtons = 0x2;
  // Answers a question shown to a person; an answer that is none of the
  // box's buttons closes it with its first.
  using Asker = std::function<int(const QIVDlgNotify&)>;

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
  // The answers of the box's buttons, in the order they are shown.
  std::vector<int> GetButtons() const;
  bool IsQuestion() const { return GetButtons().size() > 1; }
  // The current session's asker; an empty one takes it away.
  static void SetAsker(Asker asker);

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
