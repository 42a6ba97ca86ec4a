#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "JournalError.h"
#include "JournalObjectRef.h"
#include "JournalWidgetRef.h"
#include "QIVUnicodeString.h"

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
  Answer,      // answer OK|Cancel|Yes|No
  Pick,        // pick OBJREF...
  PickExtend,  // pick+ OBJREF...
  FocusOut,    // focusout WIDGET
  Show,        // show WIDGET
  Expect,      // expect box TEXT | no-box | line TEXT | no-line TEXT | text WIDGET TEXT | count WIDGET N
  Save,        // save [PATH]
  Env,         // env NAME VALUE | env NAME unset
};

// What `press` sends: one of the dialog's own notifications, or the
// activation of a push button.
enum class JournalButton { OK, Cancel, Apply, Close, WindowClose, PushButton };

// The button with which the next notification box is closed.
enum class JournalAnswer { OK, Cancel, Yes, No };

enum class JournalExpectation { Box, NoBox, Line, NoLine, Text, Count };

// One user event of a journal: its verb, its arguments as words, and the
// place it was read from. Made only through Make, so an event always fits
// its verb and Format always gives a line the reader takes back as the same
// event: what is recorded is what is replayed.
//
// Typed views, by verb:
//   GetWidget    type choose select activate check tab focusout show,
//                expect text|count, press (the push button, or [DIALOG/]WORD
//                when GetButton names a dialog notification)
//   GetNumbers   choose (the line), select (the rows, in selection order),
//                activate (the row), expect count (the count)
//   GetObjects   pick, pick+
//   GetText      start (ARG), type (TEXT), tab (PAGE), file (PATH), save
//                (PATH), env (VALUE), expect box|line|no-line|text (TEXT)
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

  const JournalWidgetRef& GetWidget() const { return _widget; }
  const std::vector<int>& GetNumbers() const { return _numbers; }
  // The first number, -1 when the verb has none.
  int GetNumber() const { return _numbers.empty() ? -1 : _numbers.front(); }
  const std::vector<JournalObjectRef>& GetObjects() const { return _objects; }
  const QIVUnicodeString& GetText() const;

  bool IsExtend() const { return _verb == JournalVerb::PickExtend; }
  bool IsOn() const { return _on; }
  bool IsFileCancel() const { return _verb == JournalVerb::File && _cancelOrUnset; }
  bool IsEnvUnset() const { return _verb == JournalVerb::Env && _cancelOrUnset; }
  JournalButton GetButton() const { return _button; }
  JournalAnswer GetAnswer() const { return _answer; }
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
  bool CheckExpectation(QIVUnicodeString& reason);
  bool TakeWidget(int index, QIVUnicodeString& reason);
  bool TakeNumber(int index, QIVUnicodeString& reason);

  JournalVerb _verb = JournalVerb::Start;
  std::vector<QIVUnicodeString> _arguments;
  QIVUnicodeString _sourceName;
  int _line = 0;

  JournalWidgetRef _widget;
  std::vector<int> _numbers;
  std::vector<JournalObjectRef> _objects;
  bool _on = false;
  bool _cancelOrUnset = false;
  JournalButton _button = JournalButton::PushButton;
  JournalAnswer _answer = JournalAnswer::OK;
  JournalExpectation _expectation = JournalExpectation::Box;
};
