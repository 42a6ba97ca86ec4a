#pragma once

#include <string>
#include <vector>

#include "QIVSessionEvents.h"
#include "QIVVar.h"

// What one run of a command did, as the dispatcher saw it: how it ended,
// the boxes it showed, the objects of the document it created, changed
// and deleted, and the objects and viewers it asked to redraw, each in the
// order it happened, and the figures it told. Callers (the verbs of the
// application) read this rather than the transcript or the command's own
// members.
struct QIVCommandOutcome {
  enum class Ending { Running, Ended, Cancelled, Failed };

  std::string command;
  Ending ending = Ending::Running;
  // Why it failed: what the action, condition, agent or callback threw.
  std::string failure;
  std::vector<QIVBoxShown> boxes;
  std::vector<QIVBaseUnknown_var> created;
  std::vector<QIVBaseUnknown_var> modified;
  std::vector<QIVBaseUnknown_var> deleted;
  std::vector<QIVBaseUnknown_var> redrawn;
  // The figures it told of its work, in order.
  std::vector<QIVCommandFigure> figures;

  static const char* EndingName(Ending ending) {
    constexpr const char* names[] = {"running", "ended", "cancelled", "failed"};
    return names[static_cast<int>(ending)];
  }
};
