#include "JournalPlayer.h"

#include <algorithm>
#include <string>

#include "JournalObjectResolver.h"
#include "QIVDictionary.h"
#include "QIVDlgCombo.h"
#include "QIVDlgEditor.h"
#include "QIVDlgNotify.h"
#include "QIVDlgRowList.h"
#include "QIVEnvironment.h"
#include "QIVTranscript.h"

JournalPlayer::JournalPlayer(BiwplanSession& session)
    : _session(session),
      _assertionWindowStart(session.Session().GetTranscript().Size()),
      _boxWindowStart(session.Session().GetBoxesShown().size()) {}

std::optional<JournalError> JournalPlayer::Play(const std::vector<JournalEvent>& events) {
  // Answers queued and boxes shown belong to this session.
  QIVSession::Scope scope(_session.Session());
  for (const JournalEvent& event : events) {
    if (std::optional<JournalError> error = PlayOne(event)) return error;
  }
  if (const std::size_t left = QIVDlgNotify::PendingAnswers()) {
    QIVDlgNotify::ClearAnswers();
    const QIVUnicodeString source = events.empty() ? QIVUnicodeString() : events.back().GetSourceName();
    const int line = events.empty() ? 0 : events.back().GetLine();
    return JournalError(source, line,
                        QIVUnicodeString::Format("%zu answer(s) given for boxes that were never shown", left));
  }
  return std::nullopt;
}

std::optional<JournalError> JournalPlayer::PlayOne(const JournalEvent& event) {
  const bool assertion = event.GetVerb() == JournalVerb::Expect;
  if (!assertion && _previousWasAssertion) {
    _assertionWindowStart = _session.Session().GetTranscript().Size();
    _boxWindowStart = _session.Session().GetBoxesShown().size();
  }
  _previousWasAssertion = assertion;

  if (const QIVUserEvent* userEvent = event.GetUserEvent()) {
    if (const auto* start = std::get_if<QIVStartEvent>(userEvent)) return Start(event, *start);
    if (const auto* pick = std::get_if<QIVPickEvent>(userEvent)) return Pick(event, *pick);
    return Deliver(event, *userEvent);
  }
  switch (event.GetVerb()) {
    case JournalVerb::Answer:
      QIVDlgNotify::QueueAnswer(event.GetText().view());
      return std::nullopt;
    case JournalVerb::Show:
      return Show(event);
    case JournalVerb::Expect:
      return Expect(event);
    case JournalVerb::Save:
      return Save(event);
    case JournalVerb::Env:
      if (event.IsEnvUnset())
        QIVUnsetEnv(event.GetArgument(0).ConvertToChar());
      else
        QIVSetEnv(event.GetArgument(0).ConvertToChar(), event.GetText().ConvertToChar());
      return std::nullopt;
    default:
      return event.Error("unknown verb");
  }
}

std::optional<JournalError> JournalPlayer::Deliver(const JournalEvent& event, const QIVUserEvent& userEvent) {
  if (SUCCEEDED(_session.Dispatcher().Deliver(userEvent))) return std::nullopt;
  return event.Error(_session.Dispatcher().GetLastRefusal());
}

std::optional<JournalError> JournalPlayer::Start(const JournalEvent& event, const QIVStartEvent& start) {
  const QIVDictionary::FactoryEntry* factory = QIVDictionary::Instance().FindFactory(start.className);
  if (!start.argument || !factory || !factory->factoryWithArgument ||
      factory->argument != QIVFactoryArgument::Object)
    return Deliver(event, start);

  // The factory takes an object: the argument names it as a pick would.
  QIVUnicodeString reason;
  const std::optional<JournalObjectRef> reference = JournalObjectRef::Parse(*start.argument, reason);
  if (!reference) return event.Error(reason);
  const QIVPathElement_var path = JournalObjectResolver(_session.Document()).Resolve(*reference, reason);
  if (!path) return event.Error(reason);
  const QIVBaseUnknown_var object = path->GetLeaf();
  return Deliver(event, QIVStartEvent(start.className, std::nullopt, object.get(), *start.argument));
}

std::optional<JournalError> JournalPlayer::Pick(const JournalEvent& event, const QIVPickEvent& pick) {
  JournalObjectResolver resolver(_session.Document());
  QIVPickEvent resolved = pick;
  for (const JournalObjectRef& reference : event.GetObjects()) {
    QIVUnicodeString reason;
    QIVPathElement_var path = resolver.Resolve(reference, reason);
    if (!path) return event.Error(reason);
    resolved.paths.push_back(path);
  }
  return Deliver(event, resolved);
}

std::optional<JournalError> JournalPlayer::Show(const JournalEvent& event) {
  std::string reason;
  QIVDialog* widget = _session.Dispatcher().FindWidget(event.GetWidget().Format().str(), &reason);
  if (!widget) return event.Error(reason);
  _session.Session().GetTranscript().Record("show " + widget->Describe());
  return std::nullopt;
}

std::optional<JournalError> JournalPlayer::Expect(const JournalEvent& event) {
  const std::vector<std::string> lines = _session.Session().GetTranscript().LinesSince(_assertionWindowStart);
  const std::vector<QIVBoxShown>& shown = _session.Session().GetBoxesShown();
  const std::vector<QIVBoxShown> boxes(shown.begin() + static_cast<long>(std::min(_boxWindowStart, shown.size())),
                                       shown.end());
  const std::string text = event.GetText().str();
  auto contains = [&text](const std::string& line) { return line.find(text) != std::string::npos; };
  switch (event.GetExpectation()) {
    case JournalExpectation::Box:
      if (std::any_of(boxes.begin(), boxes.end(), [&](const QIVBoxShown& box) { return contains(box.Format()); }))
        return std::nullopt;
      return event.Error("no box containing \"" + text + "\" was shown");
    case JournalExpectation::NoBox:
      if (boxes.empty()) return std::nullopt;
      return event.Error("a box was shown: " + boxes.front().Format());
    case JournalExpectation::Line:
      if (std::any_of(lines.begin(), lines.end(), contains)) return std::nullopt;
      return event.Error("no transcript line contains \"" + text + "\"");
    case JournalExpectation::NoLine: {
      auto found = std::find_if(lines.begin(), lines.end(), contains);
      if (found == lines.end()) return std::nullopt;
      return event.Error("a transcript line contains \"" + text + "\": " + *found);
    }
    case JournalExpectation::Text:
    case JournalExpectation::Count: {
      std::string reason;
      QIVDialog* widget = _session.Dispatcher().FindWidget(event.GetWidget().Format().str(), &reason);
      if (!widget) return event.Error(reason);
      if (event.GetExpectation() == JournalExpectation::Text) {
        const auto* editor = dynamic_cast<const QIVDlgEditor*>(widget);
        const std::string actual = editor ? editor->GetText().str() : widget->GetTitle().str();
        if (actual == text) return std::nullopt;
        return event.Error("the text of " + event.GetWidget().Format().str() + " is \"" + actual + "\", not \"" +
                           text + "\"");
      }
      int count = -1;
      if (const auto* list = dynamic_cast<const QIVDlgRowList*>(widget)) count = list->GetRowCount();
      if (const auto* combo = dynamic_cast<const QIVDlgCombo*>(widget)) count = combo->GetLineCount();
      if (count < 0) return event.Error(event.GetWidget().Format().str() + " is neither a list nor a combo");
      if (count == event.GetNumber()) return std::nullopt;
      return event.Error(event.GetWidget().Format().str() + QIVUnicodeString::Format(" has %d lines, not %d", count,
                                                                                       event.GetNumber())
                                                                   .str());
    }
  }
  return event.Error("unknown assertion");
}

std::optional<JournalError> JournalPlayer::Save(const JournalEvent& event) {
  std::string error;
  const std::string path = event.GetArguments().empty() ? std::string() : event.GetText().str();
  if (_session.Save(path, error)) return std::nullopt;
  return event.Error(error);
}
