#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "QIVListVal.h"
#include "QIVSession.h"

// The simulated world of the open process: which products stand in it as
// the process has moved them up to a station. Headless nothing is drawn;
// the state is kept for commands, tests and the front ends.
//
// Rule of a world update up to a station: a product that an activity
// before the station in control flow handles (as an item, a manufactured
// assembly standing for its parts, a product for the products below it) is
// "assembled": it came in with the incoming assembly. A product that the
// station or an activity below it handles, and that is not assembled, is
// "loaded" there. The others are "absent": the process has not brought them
// in yet. Assembled and loaded products stand at their design positions,
// the places the body's design gives them; in isolation only the loaded
// ones stand in the world. The design locations (every product in the
// world, nothing simulated) are the world before any update and after a
// restore.
//
// Each session has its own world. Transcript lines of an update: unless
// the controller's messages are blocked, one per activity simulated,
//   simulated ACTIVITY
// then
//   world STATION: <n> assembled, <n> loaded, <n> absent
class ZELSimulationWorld : public QIVSessionPart {
 public:
  enum class State { Design, Assembled, Loaded, Absent };

  static ZELSimulationWorld& Instance();
  static const char* StateName(State state);

  // The world at the station: `before` are the activities before it in
  // control flow, `station` is simulated too unless null; with `isolation`
  // only what the station itself handles stands in the world.
  void Update(const QIVListValQIVBaseUnknown_var& before, const QIVBaseUnknown_var& station, bool isolation);
  // Every product back at its design location.
  void RestoreDesignLocations();

  // Design for a product the world has not placed.
  State GetState(const QIVBaseUnknown_var& product) const;
  // The station of the last update; empty at the design locations.
  const QIVBaseUnknown_var& GetStation() const { return _station; }
  int GetUpdateCount() const { return _updates; }

  // The process controller: halted stops the running simulation; a reset
  // takes its clock back to the start.
  void HaltController() { _running = false; }
  void ResetController() {
    _running = false;
    ++_resets;
  }
  bool IsControllerRunning() const { return _running; }
  int GetResetCount() const { return _resets; }

  // While set, the world tells no progress of the activities it simulates.
  void SetBlockMessages(bool block) { _blockMessages = block; }
  bool AreMessagesBlocked() const { return _blockMessages; }
  // Whether the start of the simulation puts the design locations back
  // when a simulation command is cancelled.
  void SetRestoreDesignLocation(bool restore) { _restoreDesignLocation = restore; }
  bool GetRestoreDesignLocation() const { return _restoreDesignLocation; }

 private:
  std::unordered_map<const QIVBaseUnknown*, State> _states;
  // The placed products, held so that their identities stay theirs.
  std::vector<QIVBaseUnknown_var> _placed;
  QIVBaseUnknown_var _station;
  int _updates = 0;
  int _resets = 0;
  bool _running = false;
  bool _blockMessages = false;
  bool _restoreDesignLocation = false;
};
