#include "BiwplanTab.h"

#include <algorithm>
#include <unordered_set>

#include "BiwplanRecords.h"
#include "BiwplanWidgetState.h"
#include "JournalPlayer.h"
#include "QIVDlgNotify.h"

BiwplanTab::BiwplanTab(BiwplanSession& owner) {
  _session.Share(owner);
  _session.Dispatcher().SetModelEventTap([this](const QIVModelEvent& event) { _events.push_back(event); });
  QIVSession::Scope scope(_session.Session());
  QIVDlgNotify::SetAsker([this](const QIVDlgNotify& box) { return Ask(box); });
  _thread = std::thread([this] { Serve(); });
}

BiwplanTab::~BiwplanTab() {
  // A box left unanswered is closed as the planner would leave it.
  while (_question) {
    const bool cancel = std::find(_buttons.begin(), _buttons.end(), QIVDlgNotify::AnswerCancel) != _buttons.end();
    _reply = cancel ? QIVDlgNotify::AnswerCancel : _buttons.front();
    Resume();
  }
  {
    std::lock_guard<std::mutex> lock(_turnMutex);
    _closing = true;
    _threadsTurn = true;
  }
  _turnChanged.notify_all();
  _thread.join();
  QIVSession::Scope scope(_session.Session());
  QIVDlgNotify::SetAsker(nullptr);
  _session.Dispatcher().SetModelEventTap(nullptr);
}

void BiwplanTab::Serve() {
  std::unique_lock<std::mutex> lock(_turnMutex);
  for (;;) {
    _turnChanged.wait(lock, [this] { return _threadsTurn; });
    if (_closing) return;
    lock.unlock();
    try {
      _playing->error = JournalPlayer(_session).Play({_playing->event});
    } catch (const std::exception& failure) {
      _playing->error = _playing->event.Error(failure.what());
    }
    lock.lock();
    _threadsTurn = false;
    _turnChanged.notify_all();
  }
}

void BiwplanTab::Resume() {
  std::unique_lock<std::mutex> lock(_turnMutex);
  _threadsTurn = true;
  _turnChanged.notify_all();
  _turnChanged.wait(lock, [this] { return !_threadsTurn; });
}

int BiwplanTab::Ask(const QIVDlgNotify& box) {
  _buttons = box.GetButtons();
  Json buttons = Json::array();
  for (int button : _buttons) buttons.push_back(QIVDlgNotify::AnswerName(button));
  _question = Json{{"style", box.GetStyle()},
                   {"title", box.GetTitle().str()},
                   {"text", box.GetText().str()},
                   {"buttons", std::move(buttons)}};
  _askedBoxes.push_back(_session.Session().GetBoxesShown().size());
  {
    std::unique_lock<std::mutex> lock(_turnMutex);
    _threadsTurn = false;
    _turnChanged.notify_all();
    _turnChanged.wait(lock, [this] { return _threadsTurn; });
  }
  _question.reset();
  return _reply;
}

BiwplanTab::Json BiwplanTab::Play(const std::string& verb, const std::vector<std::string>& arguments) {
  QIVSession::Scope scope(_session.Session());
  _changedCount = 0;
  const std::optional<JournalVerb> journalVerb = JournalEvent::VerbFromName(verb);
  if (_question || journalVerb == JournalVerb::Answer)
    return Answer(journalVerb == JournalVerb::Answer && !arguments.empty() ? arguments[0] : std::string());
  _events.clear();
  std::vector<QIVUnicodeString> words(arguments.begin(), arguments.end());
  QIVUnicodeString reason;
  std::optional<JournalEvent> event;
  if (!journalVerb)
    reason = "unknown verb \"" + verb + "\"";
  else if (event = JournalEvent::Make(*journalVerb, std::move(words), reason); event && !event->GetUserEvent())
    reason = "\"" + verb + "\" is not an action of the planner", event.reset();
  if (!event) {
    Json answer = State();
    answer["ok"] = false;
    answer["error"] = reason.str();
    return answer;
  }
  event->SetPlace("browser", static_cast<int>(_journal.size()) + 1);
  QIVDispatcher& dispatcher = _session.Dispatcher();
  _playing = Playing{*event,
                     dispatcher.GetActiveCommand(),
                     dispatcher.GetActiveCommandClass(),
                     dispatcher.GetLastOutcome(),
                     dispatcher.GetCommandCount(),
                     _session.Session().GetBoxesShown().size(),
                     std::nullopt};
  Resume();
  return Outcome();
}

BiwplanTab::Json BiwplanTab::Answer(const std::string& word) {
  std::string reason;
  if (!_question) {
    reason = "no box waits for an answer";
  } else {
    const auto given = std::find_if(_buttons.begin(), _buttons.end(),
                                    [&word](int button) { return word == QIVDlgNotify::AnswerName(button); });
    if (given == _buttons.end()) {
      reason = "the box waits for the answer";
      for (int button : _buttons) reason += std::string(" ") + QIVDlgNotify::AnswerName(button);
    } else {
      _reply = *given;
      Resume();
      return Outcome();
    }
  }
  Json answer = State();
  answer["ok"] = false;
  answer["error"] = reason;
  return answer;
}

BiwplanTab::Json BiwplanTab::Outcome() {
  Json answer = State();
  const std::string line = _playing->event.Format().str();
  if (_question) {
    answer["ok"] = true;
    answer["error"] = std::string();
    answer["line"] = line;
    answer["question"] = *_question;
    return answer;
  }
  Playing playing = std::move(*_playing);
  _playing.reset();
  QIVDispatcher& dispatcher = _session.Dispatcher();
  // Not every change of the document is told as a model event (a position
  // set): a command that ended, was cancelled or failed in this event may
  // have changed anything it was allowed to.
  const auto over = [](const QIVCommandOutcome* outcome) {
    return outcome && outcome->ending != QIVCommandOutcome::Ending::Running;
  };
  const QIVCommandOutcome* lastAfter = dispatcher.GetLastOutcome();
  _commandEnded = (!playing.classBefore.empty() && over(dispatcher.FindLastOutcome(playing.classBefore))) ||
                  (lastAfter != playing.lastBefore && over(lastAfter));
  const std::optional<JournalError>& error = playing.error;
  const std::size_t eventStart = _journal.size();
  if (!error) {
    // Boxes answered by the planner: the journal answers every box of the
    // event, in order, before it.
    const std::vector<QIVBoxShown>& shown = _session.Session().GetBoxesShown();
    const bool asked = !_askedBoxes.empty() && _askedBoxes.back() >= playing.firstBox;
    for (std::size_t box = playing.firstBox; asked && box < shown.size(); ++box)
      _journal.push_back("answer " + shown[box].answer);
    _journal.push_back(line);
    // A command this event started (the one it resumed keeps its start).
    const QIVStateCommand* active = dispatcher.GetActiveCommand();
    if (active && active != playing.before &&
        (dispatcher.GetCommandCount() > playing.runningBefore || !_runStarts.count(active)))
      _runStarts[active] = eventStart;
  } else if (error->GetReason().str().rfind("command failed ", 0) == 0 && playing.before &&
             dispatcher.GetCommandCount() < playing.runningBefore) {
    // The failed command put back what its run changed: replayed, the run
    // must change nothing either. A run whose start the tab did not see
    // ends as a cancel does.
    const auto run = _runStarts.find(playing.before);
    for (std::size_t at = run == _runStarts.end() ? eventStart : run->second; at < eventStart; ++at)
      if (_journal[at].rfind('#', 0) != 0) _journal[at] = "# " + _journal[at];
    _journal.push_back("# " + line + "  (" + error->GetReason().str() + ")");
    if (run == _runStarts.end()) _journal.push_back("cancel");
  }
  if (dispatcher.GetCommandCount() == 0) _runStarts.clear();
  answer["ok"] = !error;
  answer["error"] = error ? error->GetReason().str() : std::string();
  answer["line"] = line;
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
                     {"answer", shown[box].answer},
                     {"asked", std::find(_askedBoxes.begin(), _askedBoxes.end(), box) != _askedBoxes.end()}});
  _transcriptMark = lines.size();
  _boxMark = shown.size();
  return Json{{"command", _session.Dispatcher().GetActiveCommandClass()},
              {"windows", BiwplanWidgetState::ShownWindows()},
              {"transcript", std::move(transcript)},
              {"boxes", std::move(boxes)}};
}
BiwplanTab::Json BiwplanTab::Changes() {
  // Each object changed once, as it now stands (an item given to an
  // activity changes both); a deletion, or a command that is over, asks
  // the page to read the model again, and then no record is needed.
  BiwplanRecords records(_session.Document());
  std::unordered_set<const QIVBaseUnknown*> seen;
  Json changed = Json::array();
  _changedCount = _commandEnded ? 1 : 0;
  bool reload = _commandEnded;
  for (const QIVModelEvent& event : _events) {
    if (event.kind == QIVModelEvent::Kind::Redrawn) continue;
    ++_changedCount;
    reload |= event.kind == QIVModelEvent::Kind::Deleted;
  }
  for (std::size_t at = 0; !reload && at < _events.size(); ++at) {
    const QIVModelEvent& event = _events[at];
    if (event.kind == QIVModelEvent::Kind::Redrawn || !seen.insert(event.object.get()).second) continue;
    BiwplanRecords::Kind kind;
    Json record;
    if (records.Record(event.object, kind, record))
      changed.push_back({{"kind", BiwplanRecords::KindWord(kind)}, {"record", std::move(record)}});
  }
  _events.clear();
  return Json{{"records", std::move(changed)}, {"reload", reload}};
}

std::string BiwplanTab::Journal() const {
  std::string text = "# A session of biwplan serve; replay it with: biwplan run DOC JOURNAL\n";
  for (const std::string& line : _journal) text += line + '\n';
  return text;
}
