#include "BiwplanSteps.h"

#include <iostream>

#include "BiwplanCli.h"
#include "JournalPlayer.h"
#include "JournalWords.h"
#include "QIVTranscript.h"

BiwplanSteps& BiwplanSteps::Add(JournalVerb verb, std::vector<std::string> words) {
  if (!_fault.empty()) return *this;
  std::vector<QIVUnicodeString> arguments;
  for (std::string& word : words) {
    if (!Accept(word)) return *this;
    arguments.emplace_back(std::move(word));
  }
  QIVUnicodeString reason;
  std::optional<JournalEvent> event = JournalEvent::Make(verb, std::move(arguments), reason);
  if (!event) {
    _fault = reason.str();
    return *this;
  }
  event->SetPlace(_verb, static_cast<int>(_steps.size()) + 1);
  _steps.push_back({std::move(event), std::string()});
  return *this;
}

BiwplanSteps& BiwplanSteps::File(const std::string& path) {
  if (_fault.empty() && Accept(path)) _steps.push_back({std::nullopt, path});
  return *this;
}

bool BiwplanSteps::Accept(const std::string& word) {
  QIVUnicodeString what;
  if (JournalWords::FindBadByte(word, what) < 0) return true;
  _fault = "\"" + word + "\" holds a " + what.str();
  return false;
}

int BiwplanSteps::Play(BiwplanSession& session, bool echo) {
  const std::vector<Step> steps = std::move(_steps);
  _steps.clear();
  if (!_fault.empty()) {
    BiwplanReport(BiwplanExit::Usage, _verb + ": " + _fault);
    _fault.clear();
    return BiwplanExit::Usage;
  }
  QIVTranscript& transcript = session.Session().GetTranscript();
  transcript.SetEcho(echo ? &std::cout : nullptr);
  std::string failure;
  JournalPlayer player(session);
  for (const Step& step : steps) {
    if (step.event) {
      if (const std::optional<JournalError> error = player.Play({*step.event})) failure = error->GetReason().str();
    } else {
      QIVSession::Scope scope(session.Session());
      if (FAILED(session.Dispatcher().Deliver(QIVWidgetEvent::File(step.file))))
        failure = session.Dispatcher().GetLastRefusal();
    }
    if (!failure.empty()) break;
  }
  transcript.SetEcho(nullptr);
  if (!failure.empty()) return BiwplanReport(BiwplanExit::Failed, _verb + ": " + failure);
  return BiwplanExit::Ok;
}
