#include "BiwplanTab.h"

#include <unordered_set>

#include "BiwplanRecords.h"
#include "BiwplanWidgetState.h"
#include "JournalEvent.h"
#include "JournalPlayer.h"

BiwplanTab::BiwplanTab(BiwplanSession& owner) {
  _session.Share(owner);
  _session.Dispatcher().SetModelEventTap([this](const QIVModelEvent& event) { _events.push_back(event); });
}

BiwplanTab::~BiwplanTab() { _session.Dispatcher().SetModelEventTap(nullptr); }

BiwplanTab::Json BiwplanTab::Play(const std::string& verb, const std::vector<std::string>& arguments) {
  QIVSession::Scope scope(_session.Session());
  _events.clear();
  _changedCount = 0;
  _commandEnded = false;
  Json answer;
  const std::optional<JournalVerb> journalVerb = JournalEvent::VerbFromName(verb);
  std::vector<QIVUnicodeString> words(arguments.begin(), arguments.end());
  QIVUnicodeString reason;
  std::optional<JournalEvent> event;
  if (!journalVerb)
    reason = "unknown verb \"" + verb + "\"";
  else if (event = JournalEvent::Make(*journalVerb, std::move(words), reason); event && !event->GetUserEvent())
    reason = "\"" + verb + "\" is not an action of the planner", event.reset();
  if (!event) {
    answer = State();
    answer["ok"] = false;
    answer["error"] = reason.str();
    return answer;
  }
  event->SetPlace("browser", static_cast<int>(_journal.size()) + 1);
  QIVDispatcher& dispatcher = _session.Dispatcher();
  const QIVStateCommand* before = dispatcher.GetActiveCommand();
  const std::string classBefore = dispatcher.GetActiveCommandClass();
  const QIVCommandOutcome* lastBefore = dispatcher.GetLastOutcome();
  const int runningBefore = dispatcher.GetCommandCount();
  std::optional<JournalError> error = JournalPlayer(_session).Play({*event});
  // Not every change of the document is told as a model event (an item
  // assigned, a position set): a command that ended, was cancelled or
  // failed in this event may have changed anything it was allowed to.
  const auto over = [](const QIVCommandOutcome* outcome) {
    return outcome && outcome->ending != QIVCommandOutcome::Ending::Running;
  };
  const QIVCommandOutcome* lastAfter = dispatcher.GetLastOutcome();
  _commandEnded = (!classBefore.empty() && over(dispatcher.FindLastOutcome(classBefore))) ||
                  (lastAfter != lastBefore && over(lastAfter));
  if (!error) {
    _journal.push_back(event->Format().str());
  } else if (error->GetReason().str().rfind("command failed ", 0) == 0 && before &&
             dispatcher.GetCommandCount() < runningBefore) {
    _journal.push_back("# " + event->Format().str() + "  (" + error->GetReason().str() + ")");
    _journal.push_back("cancel");
  }
  answer = State();
  answer["ok"] = !error;
  answer["error"] = error ? error->GetReason().str() : std::string();
  answer["line"] = event->Format().str();
  answer["changes"] = Changes();
  return answer;
}

BiwplanTab::Json BiwplanTab::State() {
  QIVSession::Scope scope(_session.Session());
  const std::vector<std::string>& lines = _session.Session().GetTranscript().Lines();
  const std::vector<QIVBoxShown>& shown = _session.Session().GetBoxesShown();
  Json transcript = Json::array();
  for (std::size_t line = std::min(_transcriptMark, lines.size()); line < lines.size(); ++line)
    transcript.push_back(lines[line]);
  Json boxes = Json::array();
  for (std::size_t box = std::min(_boxMark, shown.size()); box < shown.size(); ++box)
    boxes.push_back({{"style", shown[box].style},
                     {"title", shown[box].title},
                     {"text", shown[box].text},
                     {"answer", shown[box].answer}});
  _transcriptMark = lines.size();
  _boxMark = shown.size();
  return Json{{"command", _session.Dispatcher().GetActiveCommandClass()},
              {"windows", BiwplanWidgetState::ShownWindows()},
              {"transcript", std::move(transcript)},
              {"boxes", std::move(boxes)}};
}

BiwplanTab::Json BiwplanTab::Changes() {
  // Each object changed once, as it now stands; a deletion, or a command
  // that is over, asks the page to read the model again.
  BiwplanRecords records(_session.Document());
  std::unordered_set<const QIVBaseUnknown*> seen;
  Json changed = Json::array();
  bool deleted = false;
  _changedCount = _commandEnded ? 1 : 0;
  for (const QIVModelEvent& event : _events) {
    if (event.kind == QIVModelEvent::Kind::Redrawn) continue;
    ++_changedCount;
    if (event.kind == QIVModelEvent::Kind::Deleted) {
      deleted = true;
      continue;
    }
    if (!seen.insert(event.object.get()).second) continue;
    BiwplanRecords::Kind kind;
    Json record;
    if (records.Record(event.object, kind, record))
      changed.push_back({{"kind", BiwplanRecords::KindWord(kind)}, {"record", std::move(record)}});
  }
  _events.clear();
  return Json{{"records", std::move(changed)}, {"reload", deleted || _commandEnded}};
}

std::string BiwplanTab::Journal() const {
  std::string text = "# A session of biwplan serve; replay it with: biwplan run DOC JOURNAL\n";
  for (const std::string& line : _journal) text += line + '\n';
  return text;
}
