#pragma once

#include <optional>
#include <string>
#include <vector>

#include "BiwplanSession.h"
#include "JournalEvent.h"

// The steps a verb takes in the module's dialogs, built from the user's
// words as events: each word is one argument of one event, whatever it
// holds, so no name, path or value given on the command line can turn into
// another step. They are played through the session as a journal is.
class BiwplanSteps {
 public:
  // `verb` names the verb in messages ("create-activity").
  explicit BiwplanSteps(std::string verb) : _verb(std::move(verb)) {}

  // Adds a step; a word no event may carry (a control character, broken
  // UTF-8, a malformed object reference) is kept as the fault Play reports.
  BiwplanSteps& Add(JournalVerb verb, std::vector<std::string> words);
  // The file dialog given `path`: always a file, even one named "cancel",
  // which a journal's file event reads as the dialog cancelled.
  BiwplanSteps& File(const std::string& path);

  // Plays the steps added since the last Play, the transcript going to
  // standard output unless `echo` is false. Ok; Usage when a word was
  // refused, Failed when a step could not be played: the reason written
  // without the step itself, which the user did not write.
  int Play(BiwplanSession& session, bool echo = true);

 private:
  // An event, or the path given to the file dialog.
  struct Step {
    std::optional<JournalEvent> event;
    std::string file;
  };

  // False, the fault kept, when an event may not carry the word.
  bool Accept(const std::string& word);

  std::string _verb;
  std::vector<Step> _steps;
  std::string _fault;
};
