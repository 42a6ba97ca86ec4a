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

namespace {

const char* NotificationOf(JournalButton button) {
  switch (button) {
    case JournalButton::OK:
      return "OK";
    case JournalButton::Cancel:
      return "Cancel";
    case JournalButton::Apply:
      return "Apply";
    case JournalButton::Close:
      return "Close";
    case JournalButton::WindowClose:
      return "WindowClose";
    case JournalButton::PushButton:
      break;
  }
  return "";
}

const char* AnswerName(JournalAnswer answer) {
  switch (answer) {
    case JournalAnswer::OK:
      return "OK";
    case JournalAnswer::Cancel:
      return "Cancel";
    case JournalAnswer::Yes:
      return "Yes";
    case JournalAnswer::No:
      return "No";
  }
  return "OK";
}

}  // namespace

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

  const std::string widget = event.GetWidget().Format().str();
  switch (event.GetVerb()) {
    case JournalVerb::Start:
      return Start(event);
    case JournalVerb::Type:
      return Deliver(event, QIVWidgetEvent::Type(widget, event.GetText().str()));
    case JournalVerb::Press: {
      if (event.GetButton() == JournalButton::PushButton) return Deliver(event, QIVWidgetEvent::Press(widget));
      // A dialog notification, for the dialog named before it or the one
      // shown last.
      const std::vector<QIVUnicodeString>& path = event.GetWidget().GetPath();
      std::string dialog;
      for (std::size_t i = 0; i + 1 < path.size(); ++i) dialog += (i ? "/" : "") + path[i].str();
      return Deliver(event, QIVWidgetEvent::PressDialog(NotificationOf(event.GetButton()), dialog));
    }
    case JournalVerb::Choose:
      return Deliver(event, QIVWidgetEvent::Choose(widget, event.GetNumber()));
    case JournalVerb::Select:
      return Deliver(event, QIVWidgetEvent::Select(widget, event.GetNumbers()));
    case JournalVerb::Activate:
      return Deliver(event, QIVWidgetEvent::Activate(widget, event.GetNumber()));
    case JournalVerb::Check:
      return Deliver(event, QIVWidgetEvent::Check(widget, event.IsOn()));
    case JournalVerb::Tab:
      return Deliver(event, QIVWidgetEvent::Tab(widget, event.GetText().str()));
    case JournalVerb::File:
      return Deliver(event, event.IsFileCancel() ? QIVWidgetEvent::FileCancel()
                                                 : QIVWidgetEvent::File(event.GetText().str()));
    case JournalVerb::FocusOut:
      return Deliver(event, QIVWidgetEvent::FocusOut(widget));
    case JournalVerb::Answer:
      QIVDlgNotify::QueueAnswer(AnswerName(event.GetAnswer()));
      return std::nullopt;
    case JournalVerb::Pick:
    case JournalVerb::PickExtend:
      return Pick(event);
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
  }
  return event.Error("unknown verb");
}

std::optional<JournalError> JournalPlayer::Deliver(const JournalEvent& event, const QIVUserEvent& userEvent) {
  if (SUCCEEDED(_session.Dispatcher().Deliver(userEvent))) return std::nullopt;
  return event.Error(_session.Dispatcher().GetLastRefusal());
}

std::optional<JournalError> JournalPlayer::Start(const JournalEvent& event) {
  const std::string className = event.GetArgument(0).str();
  if (event.GetArguments().size() < 2) return Deliver(event, QIVStartEvent(className));
  const QIVDictionary::FactoryEntry* factory = QIVDictionary::Instance().FindFactory(className);
  if (!factory || !factory->factoryWithArgument || factory->argument != QIVFactoryArgument::Object)
    return Deliver(event, QIVStartEvent(className, event.GetText().str()));

  // The factory takes an object: the argument names it as a pick would.
  QIVUnicodeString reason;
  const std::optional<JournalObjectRef> reference = JournalObjectRef::Parse(event.GetText().view(), reason);
  if (!reference) return event.Error(reason);
  const QIVPathElement_var path = JournalObjectResolver(_session.Document()).Resolve(*reference, reason);
  if (!path) return event.Error(reason);
  const QIVBaseUnknown_var object = path->GetLeaf();
  return Deliver(event, QIVStartEvent(className, std::nullopt, object.get(), reference->Format().str()));
}

std::optional<JournalError> JournalPlayer::Pick(const JournalEvent& event) {
  JournalObjectResolver resolver(_session.Document());
  std::vector<QIVPathElement_var> paths;
  std::vector<std::string> labels;
  for (const JournalObjectRef& reference : event.GetObjects()) {
    QIVUnicodeString reason;
    QIVPathElement_var path = resolver.Resolve(reference, reason);
    if (!path) return event.Error(reason);
    paths.push_back(path);
    labels.push_back(reference.Format().str());
  }
  const unsigned modifiers = event.IsExtend() ? QIVPickModifier::Extend : 0u;
  return Deliver(event, QIVPickEvent(std::move(paths), modifiers, std::move(labels)));
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
