#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "BiwplanSession.h"
#include "JournalError.h"
#include "JournalEvent.h"

// Plays a journal's events through the session's dispatcher, as a person at
// the screen would: starting commands, typing, pressing, picking. The
// assertions of the journal are checked against the transcript.
class JournalPlayer {
 public:
  // Assertions look at what the transcript gets from now on.
  explicit JournalPlayer(BiwplanSession& session);

  // Plays the events in order and stops at the first that cannot be played,
  // whose error names the journal's file and line. At the end an answer
  // queued for a box that never came is an error too.
  std::optional<JournalError> Play(const std::vector<JournalEvent>& events);

 private:
  std::optional<JournalError> PlayOne(const JournalEvent& event);
  std::optional<JournalError> Deliver(const JournalEvent& event, const QIVUserEvent& userEvent);
  // The object a start or a pick names is resolved in the session's document.
  std::optional<JournalError> Start(const JournalEvent& event, const QIVStartEvent& start);
  std::optional<JournalError> Pick(const JournalEvent& event, const QIVPickEvent& pick);
  std::optional<JournalError> Show(const JournalEvent& event);
  std::optional<JournalError> Expect(const JournalEvent& event);
  std::optional<JournalError> Save(const JournalEvent& event);

  BiwplanSession& _session;
  // Where the transcript lines and the boxes an assertion looks at start.
  std::size_t _assertionWindowStart;
  std::size_t _boxWindowStart;
  bool _previousWasAssertion = false;
};
