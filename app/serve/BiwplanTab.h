#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "BiwplanSession.h"
#include "QIVSessionEvents.h"

// One browser tab of `biwplan serve`: a session of its own (commands,
// dialogs, transcript) on the server's document, and the journal of the
// events it played. Each action of the page is one journal event, played
// by the journal player as `biwplan run` plays it; an event that played is
// recorded, so the tab's journal replays what the planner did.
// Not thread-safe: the server lets one event at a time reach any tab.
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
  // recorded; an event that made its command fail is recorded as the
  // cancel that has the same effect on replay.
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

 private:
  Json Changes();

  BiwplanSession _session;
  std::vector<std::string> _journal;
  std::size_t _transcriptMark = 0;
  std::size_t _boxMark = 0;
  std::vector<QIVModelEvent> _events;
  std::size_t _changedCount = 0;
  bool _commandEnded = false;
};
