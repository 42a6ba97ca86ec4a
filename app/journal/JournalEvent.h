#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "JournalError.h"
#include "JournalObjectRef.h"
#include "JournalWidgetRef.h"
#include "QIVUnicodeString.h"
#include "QIVUserEvent.h"

// The verbs of a journal line. The first ones write the user events the
// dispatcher delivers, the host's `QIVUserEvent`s; the others are the
// player's own: how the next box is answered, what to show or expect, when
// to save, which switch to set.
enum class JournalVerb {
  Start,       // start CLASS [ARG]
  Type,        // type WIDGET TEXT
  Press,       // press OK|Cancel|Apply|Close|WindowClose|[DIALOG/]... or a push button
  Choose,      // choose WIDGET INDEX
  Select,      // select WIDGET ROW...
  Activate,    // activate WIDGET ROW
  Check,       // check WIDGET on|off
  Tab,         // tab CONTAINER PAGE
  File,        // file PATH | file cancel
  Pick,        // pick OBJREF...
  PickExtend,  // pick+ OBJREF...
  FocusOut,    // focusout WIDGET
  Cancel,      // cancel
  Answer,      // answer OK|Cancel|Yes|No
  Show,        // show WIDGET
  Expect,      // expect box TEXT | no-box | line TEXT | no-line TEXT | text WIDGET TEXT | count WIDGET N
  Save,        // save [PATH]
  Env,         // env NAME VALUE | env NAME unset
};

enum class JournalExpectation { Box, NoBox, Line, NoLine, Text, Count };

// One line of a journal: its verb, its arguments as words, and the place it
// was read from. Made only through Make, so an event always fits its verb
// and Format always gives a line the reader takes back as the same event:
// what is recorded is what is replayed.
//
// A user event's line is the host's event (GetUserEvent), written by the
// host's formatter. The objects of a pick and the object a start may name
// are journal references (GetObjects, GetText) that the player resolves in
// its document; the pick event holds them as its labels until then.
//
// Views of the player's own verbs:
//   GetWidget    show, expect text|count
//   GetNumber    expect count
//   GetText      start (ARG), answer, save (PATH), env (VALUE),
//                expect box|line|no-line|text (TEXT)
//   GetArgument(0) is the class of start and the variable of env.
class JournalEvent {
 public:
  // The event, or nothing with the reason when the arguments do not fit
  // the verb. Numbers and object references are kept in their canonical
  // spelling ("007" becomes "7").
  static std::optional<JournalEvent> Make(JournalVerb verb, std::vector<QIVUnicodeString> arguments,
                                          QIVUnicodeString& reason);

  static const char* VerbName(JournalVerb verb);
  static std::optional<JournalVerb> VerbFromName(std::string_view name);
  // The verb's synopsis, e.g. "choose WIDGET INDEX".
  static const char* Usage(JournalVerb verb);

  JournalVerb GetVerb() const { return _verb; }
  const std::vector<QIVUnicodeString>& GetArguments() const { return _arguments; }
  // The argument at `index` from 0, the empty text when absent.
  const QIVUnicodeString& GetArgument(int index) const;

  // The event the dispatcher delivers; nothing for the player's own verbs.
  const QIVUserEvent* GetUserEvent() const { return _userEvent ? &*_userEvent : nullptr; }
  const std::vector<JournalObjectRef>& GetObjects() const { return _objects; }

  const JournalWidgetRef& GetWidget() const { return _widget; }
  // The count of expect count, -1 for the other verbs.
  int GetNumber() const { return _number; }
  const QIVUnicodeString& GetText() const;
  bool IsEnvUnset() const { return _verb == JournalVerb::Env && _envUnset; }
  JournalExpectation GetExpectation() const { return _expectation; }

  void SetPlace(QIVUnicodeString sourceName, int line);
  const QIVUnicodeString& GetSourceName() const { return _sourceName; }
  int GetLine() const { return _line; }
  // A fault found while playing this event, placed at its line.
  JournalError Error(QIVUnicodeString reason) const {
    return JournalError(_sourceName, _line, std::move(reason));
  }

  // The canonical journal line of the event, without comment or line feed.
  QIVUnicodeString Format() const;

  // Two events are equal when they do the same thing; where they were read
  // does not count.
  friend bool operator==(const JournalEvent& a, const JournalEvent& b) {
    return a._verb == b._verb && a._arguments == b._arguments;
  }

 private:
  JournalEvent() = default;
  bool Check(QIVUnicodeString& reason);
  bool MakeUserEvent(QIVUnicodeString& reason);
  bool CheckExpectation(QIVUnicodeString& reason);
  bool TakeWidget(int index, QIVUnicodeString& reason);
  bool TakeNumber(int index, std::vector<int>& numbers, QIVUnicodeString& reason);

  JournalVerb _verb = JournalVerb::Start;
  std::vector<QIVUnicodeString> _arguments;
  QIVUnicodeString _sourceName;
  int _line = 0;

  std::optional<QIVUserEvent> _userEvent;
  std::vector<JournalObjectRef> _objects;
  JournalWidgetRef _widget;
  int _number = -1;
  bool _envUnset = false;
  JournalExpectation _expectation = JournalExpectation::Box;
};
