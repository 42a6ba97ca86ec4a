#pragma once

#include <string>

#include "QIVVar.h"

// What the model tells its session: an object came into a document, was
// changed or left it, or its views were asked to draw it again
// (QIVIRedrawEvent). `line` is what the transcript shows of it, empty
// when the event is not written there (objects made while a document is
// read, for one). Edited is a change the model notifies no one of (an item
// given to an activity or taken from it): it is neither written nor filed
// in a command's outcome, but a view showing the object reads it again.
struct QIVModelEvent {
  enum class Kind { Created, Modified, Deleted, Redrawn, Edited };
  Kind kind = Kind::Modified;
  QIVBaseUnknown_var object;
  std::string line;
};

// A message box as the planner saw it: the catalogue and key its message
// came from (empty for a text built on the spot), style, title, text and
// the answer given.
struct QIVBoxShown {
  std::string catalog;
  std::string key;
  unsigned long style = 0;
  std::string title;
  std::string text;
  std::string answer;

  // Its transcript line: box 0xSTYLE "TITLE" "TEXT" -> ANSWER
  std::string Format() const;
};

// A figure a command tells whoever runs it about its work (how many
// features one appearance rule coloured), in the order told. Not written
// to the transcript.
struct QIVCommandFigure {
  std::string name;
  long long value = 0;
};

// Who hears a session's events besides its transcript (the dispatcher,
// which files them in the outcome of the running command).
class QIVSessionListener {
 public:
  virtual ~QIVSessionListener() = default;
  virtual void OnModelEvent(const QIVModelEvent& event) = 0;
  virtual void OnBoxShown(const QIVBoxShown& box) = 0;
  virtual void OnFigure(const QIVCommandFigure&) {}
};
