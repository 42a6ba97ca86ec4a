#include "QIVDlgNotify.h"

#include <algorithm>
#include <array>
#include <deque>

#include "QIVSession.h"
#include "QIVVar.h"

namespace {
constexpr std::array<const char*, 4> kAnswerNames{"OK", "Cancel", "Yes", "No"};

struct BoxAnswers : QIVSessionPart {
  std::deque<int> queued;
  QIVDlgNotify::Asker asker;
  // Modeless boxes answered and not yet heard of, each kept alive until
  // its notification is sent.
  std::deque<QIVVar<QIVDlgNotify>> answered;
};

std::deque<int>& Answers() { return QIVSession::Current().Get<BoxAnswers>().queued; }
std::deque<QIVVar<QIVDlgNotify>>& Answered() { return QIVSession::Current().Get<BoxAnswers>().answered; }
}  // namespace

std::vector<int> QIVDlgNotify::GetButtons() const {
  const bool yesNo = GetStyle() & YesNoButtons;
  const bool okCancel = GetStyle() & OKCancelButtons;
  if (yesNo) return okCancel ? std::vector<int>{AnswerYes, AnswerNo, AnswerCancel} : std::vector<int>{AnswerYes, AnswerNo};
  return okCancel ? std::vector<int>{AnswerOK, AnswerCancel} : std::vector<int>{AnswerOK};
}

void QIVDlgNotify::SetAsker(Asker asker) { QIVSession::Current().Get<BoxAnswers>().asker = std::move(asker); }

void QIVDlgNotify::SetMessageSource(std::string catalog, std::string key) {
  _catalog = std::move(catalog);
  _key = std::move(key);
}

bool QIVDlgNotify::QueueAnswer(std::string_view answer) {
  for (std::size_t i = 0; i < kAnswerNames.size(); ++i) {
    if (answer == kAnswerNames[i]) {
      Answers().push_back(static_cast<int>(i) + AnswerOK);
      return true;
    }
  }
  return false;
}

void QIVDlgNotify::ClearAnswers() { Answers().clear(); }

std::size_t QIVDlgNotify::PendingAnswers() { return Answers().size(); }

const char* QIVDlgNotify::AnswerName(int answer) {
  return answer >= AnswerOK && answer <= AnswerNo ? kAnswerNames[answer - AnswerOK] : "";
}

int QIVDlgNotify::DisplayBlocked(const QIVUnicodeString& message, const QIVUnicodeString& title) {
  return TakeAnswer(message, title);
}

void QIVDlgNotify::Display(const QIVUnicodeString& message, const QIVUnicodeString& title) {
  TakeAnswer(message, title);
  Answered().emplace_back(this);
}

bool QIVDlgNotify::DeliverAnswers() {
  if (Answered().empty()) return false;
  // A notification may show another box: that one waits for the next call.
  std::deque<QIVVar<QIVDlgNotify>> answered;
  answered.swap(Answered());
  for (const QIVVar<QIVDlgNotify>& box : answered) {
    static constexpr const char* kinds[] = {QIVNotificationKind::OK, QIVNotificationKind::Cancel,
                                            QIVNotificationKind::Yes, QIVNotificationKind::No};
    box->SendNotification(kinds[box->_answer - AnswerOK]);
  }
  return true;
}

std::size_t QIVDlgNotify::PendingNotifications() { return Answered().size(); }

int QIVDlgNotify::TakeAnswer(const QIVUnicodeString& message, const QIVUnicodeString& title) {
  _message = message;
  SetTitle(title);
  const std::vector<int> buttons = GetButtons();
  _answer = buttons.front();
  BoxAnswers& answers = QIVSession::Current().Get<BoxAnswers>();
  if (!answers.queued.empty()) {
    _answer = answers.queued.front();
    answers.queued.pop_front();
  } else if (answers.asker && buttons.size() > 1) {
    const int asked = answers.asker(*this);
    if (std::find(buttons.begin(), buttons.end(), asked) != buttons.end()) _answer = asked;
  }
  QIVSession::Current().RaiseBoxShown({_catalog, _key, GetStyle(), title.str(), message.str(), AnswerName(_answer)});
  return _answer;
}

void QIVDlgNotify::DescribeState(std::string& line) const {
  line += " text=" + Quote(_message.view());
  if (_answer) line += std::string(" answer=") + AnswerName(_answer);
}
