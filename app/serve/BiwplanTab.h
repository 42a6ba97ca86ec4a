#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "BiwplanSession.h"
#include "JournalError.h"
#include "JournalEvent.h"
#include "QIVSessionEvents.h"

class QIVDlgNotify;
class QIVStateCommand;
struct QIVCommandOutcome;

// One browser tab of `biwplan serve`: a session of its own (commands,
// dialogs, transcript) on the server's document, and the journal of the
// events it played. Each action of the page is one journal event, played
// by the journal player as `biwplan run` plays it; an event that played is
// recorded, so the tab's journal replays what the planner did.
//
// A question box (OK/Cancel, Yes/No) waits for the planner: the tab plays
// its events on a thread of its own, which stops inside the box while the
// page asks, and goes on when the page posts `answer WORD`. Only one of the
// two threads runs at a time, so the host stays single-threaded. The
// journal gets the answers of the event's boxes before the event, as a
// journal answers boxes.
// Not thread-safe: the server lets one request at a time reach any tab.
class BiwplanTab {
 public:
  using Json = nlohmann::ordered_json;

  // Shares the document of `owner`, which must outlive the tab.
  explicit BiwplanTab(BiwplanSession& owner);
  // The session's commands are cancelled as it goes; what they change is
  // no longer the page's.
  ~BiwplanTab();
  BiwplanTab(const BiwplanTab&) = delete;
  BiwplanTab& operator=(const BiwplanTab&) = delete;

  // Plays one user event (`verb` a journal verb of a user event: start,
  // type, press, pick...; `arguments` its words) and answers what the page
  // redraws: {"ok", "error", "line", "transcript", "boxes", "windows",
  // "command", "changes"}. A refused event changes nothing and is not
  // recorded; an event that made its command fail turns the journal's
  // lines of that command's run into comments: the failure put the
  // document back as it was before the command. While the event waits on a
  // question box, the answer has "question" {"style", "title", "text",
  // "buttons"} and no "changes", and only `answer BUTTON` is taken; the
  // answer to that goes on with the event.
  Json Play(const std::string& verb, const std::vector<std::string>& arguments);
  // The page's whole view of the session: windows, active command and the
  // transcript so far.
  Json State();
  // Records a save of the document (done by the server's owner session).
  void RecordSave() { _journal.push_back("save"); }
  // The journal of the events played so far.
  std::string Journal() const;
  // Whether the last Play changed the document.
  bool Changed() const { return _changedCount > 0; }
  // Whether an event of the tab waits on a question box.
  bool Asking() const { return _question.has_value(); }

 private:
  // What the event being played needs once it is over.
  struct Playing {
    JournalEvent event;
    const QIVStateCommand* before;
    std::string classBefore;
    const QIVCommandOutcome* lastBefore;
    int runningBefore;
    std::size_t firstBox;
    std::optional<JournalError> error;
  };
  Json Answer(const std::string& word);
  // Runs the playing event on the tab's thread until it is over or asks.
  void Resume();
  Json Outcome();
  void Serve();
  int Ask(const QIVDlgNotify& box);
  Json Changes();

  BiwplanSession _session;
  std::optional<Playing> _playing;
  std::optional<Json> _question;
  std::vector<int> _buttons;
  int _reply = 0;
  // Positions of the boxes the planner answered, which the page has shown.
  std::vector<std::size_t> _askedBoxes;
  std::mutex _turnMutex;
  std::condition_variable _turnChanged;
  bool _threadsTurn = false;
  bool _closing = false;
  std::thread _thread;
  std::vector<std::string> _journal;
  // Where each running command's run begins in the journal.
  std::unordered_map<const QIVStateCommand*, std::size_t> _runStarts;
  std::size_t _transcriptMark = 0;
  std::size_t _boxMark = 0;
  std::vector<QIVModelEvent> _events;
  std::size_t _changedCount = 0;
  bool _commandEnded = false;
};
