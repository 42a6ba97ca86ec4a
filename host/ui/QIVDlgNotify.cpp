#include "QIVDlgNotify.h"

#include <array>
#include <cstdio>
#include <deque>

#include "QIVTranscript.h"

namespace {
constexpr std::array<const char*, 4> kAnswerNames{"OK", "Cancel", "Yes", "No"};

std::deque<int>& Answers() {
  static std::deque<int> answers;
  return answers;
}
}  // namespace

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
  _message = message;
  SetTitle(title);
  _answer = AnswerOK;
  if (!Answers().empty()) {
    _answer = Answers().front();
    Answers().pop_front();
  }
  char style[32];
  std::snprintf(style, sizeof style, "0x%lx", GetStyle());
  QIVTranscript::Instance().Record(std::string("box ") + style + " " + Quote(title.view()) + " " +
                                   Quote(message.view()) + " -> " + AnswerName(_answer));
  return _answer;
}

void QIVDlgNotify::DescribeState(std::string& line) const {
  line += " text=" + Quote(_message.view());
  if (_answer) line += std::string(" answer=") + AnswerName(_answer);
}
