#include "JournalEvent.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "JournalWords.h"
#include "QIVNotification.h"

namespace {
constexpr int kAny = -1;

struct VerbSyntax {
  JournalVerb verb;
  const char* name;
  const char* usage;
  int minArguments;
  int maxArguments;
};

constexpr std::array<VerbSyntax, 18> kVerbs{{
    {JournalVerb::Start, "start", "start CLASS [ARG]", 1, 2},
    {JournalVerb::Type, "type", "type WIDGET TEXT", 2, 2},
    {JournalVerb::Press, "press", "press OK|Cancel|Apply|Close|WindowClose|BUTTON", 1, 1},
    {JournalVerb::Choose, "choose", "choose WIDGET INDEX", 2, 2},
    {JournalVerb::Select, "select", "select WIDGET ROW...", 1, kAny},
    {JournalVerb::Activate, "activate", "activate WIDGET ROW", 2, 2},
    {JournalVerb::Check, "check", "check WIDGET on|off", 2, 2},
    {JournalVerb::Tab, "tab", "tab CONTAINER PAGE", 2, 2},
    {JournalVerb::File, "file", "file PATH|cancel", 1, 1},
    {JournalVerb::Pick, "pick", "pick OBJREF...", 1, kAny},
    {JournalVerb::PickExtend, "pick+", "pick+ OBJREF...", 1, kAny},
    {JournalVerb::FocusOut, "focusout", "focusout WIDGET", 1, 1},
    {JournalVerb::Cancel, "cancel", "cancel", 0, 0},
    {JournalVerb::Answer, "answer", "answer OK|Cancel|Yes|No", 1, 1},
    {JournalVerb::Show, "show", "show WIDGET", 1, 1},
    {JournalVerb::Expect, "expect", "expect box|no-box|line|no-line|text|count ...", 1, 3},
    {JournalVerb::Save, "save", "save [PATH]", 0, 1},
    {JournalVerb::Env, "env", "env NAME VALUE|unset", 2, 2},
}};

struct ExpectationSyntax {
  JournalExpectation kind;
  const char* name;
  const char* usage;
  int argumentCount;  // the kind word included
};

constexpr std::array<ExpectationSyntax, 6> kExpectations{{
    {JournalExpectation::Box, "box", "expect box TEXT", 2},
    {JournalExpectation::NoBox, "no-box", "expect no-box", 1},
    {JournalExpectation::Line, "line", "expect line TEXT", 2},
    {JournalExpectation::NoLine, "no-line", "expect no-line TEXT", 2},
    {JournalExpectation::Text, "text", "expect text WIDGET TEXT", 3},
    {JournalExpectation::Count, "count", "expect count WIDGET N", 3},
}};

// The words of `press` that send a dialog's own notification.
constexpr std::array<const char*, 5> kDialogNotifications{
    QIVNotificationKind::OK, QIVNotificationKind::Cancel, QIVNotificationKind::Apply, QIVNotificationKind::Close,
    QIVNotificationKind::WindowClose};

constexpr std::array<const char*, 4> kAnswers{"OK", "Cancel", "Yes", "No"};

// Nine digits keep every row, line and count within an int.
constexpr std::size_t kMaxNumberDigits = 9;

const VerbSyntax& SyntaxOf(JournalVerb verb) {
  return *std::find_if(kVerbs.begin(), kVerbs.end(), [&](const VerbSyntax& s) { return s.verb == verb; });
}

QIVUnicodeString WrongCount(const char* usage) {
  return QIVUnicodeString("wrong number of arguments (usage: ") + usage + ")";
}

QIVUnicodeString Quoted(const QIVUnicodeString& word) { return "'" + word + "'"; }

bool IsClassName(std::string_view name) {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  if (name.empty() || !isLetter(name.front())) return false;
  return std::all_of(name.begin(), name.end(), [&](char c) { return isLetter(c) || isDigit(c); });
}
}  // namespace

const char* JournalEvent::VerbName(JournalVerb verb) { return SyntaxOf(verb).name; }

const char* JournalEvent::Usage(JournalVerb verb) { return SyntaxOf(verb).usage; }

std::optional<JournalVerb> JournalEvent::VerbFromName(std::string_view name) {
  for (const VerbSyntax& syntax : kVerbs)
    if (name == syntax.name) return syntax.verb;
  return std::nullopt;
}

std::optional<JournalEvent> JournalEvent::Make(JournalVerb verb, std::vector<QIVUnicodeString> arguments,
                                               QIVUnicodeString& reason) {
  JournalEvent event;
  event._verb = verb;
  event._arguments = std::move(arguments);
  if (!event.Check(reason)) return std::nullopt;
  return event;
}

const QIVUnicodeString& JournalEvent::GetArgument(int index) const {
  static const QIVUnicodeString none;
  if (index < 0 || index >= static_cast<int>(_arguments.size())) return none;
  return _arguments[index];
}

const QIVUnicodeString& JournalEvent::GetText() const {
  static const QIVUnicodeString none;
  switch (_verb) {
    case JournalVerb::Start:
      return GetArgument(1);
    case JournalVerb::Answer:
    case JournalVerb::Save:
      return GetArgument(0);
    case JournalVerb::Env:
      return _envUnset ? none : GetArgument(1);
    case JournalVerb::Expect:
      return GetArgument(_expectation == JournalExpectation::Text ? 2 : 1);
    default:
      return none;
  }
}

void JournalEvent::SetPlace(QIVUnicodeString sourceName, int line) {
  _sourceName = std::move(sourceName);
  _line = line;
}

bool JournalEvent::TakeWidget(int index, QIVUnicodeString& reason) {
  std::optional<JournalWidgetRef> widget = JournalWidgetRef::Parse(_arguments[index].view(), reason);
  if (!widget) return false;
  _widget = std::move(*widget);
  return true;
}

bool JournalEvent::TakeNumber(int index, std::vector<int>& numbers, QIVUnicodeString& reason) {
  const std::optional<long long> value = JournalWords::ReadNumber(_arguments[index].view(), kMaxNumberDigits);
  if (!value) {
    reason = "bad number " + Quoted(_arguments[index]) + ": expected a whole number from 0, at most 9 digits";
    return false;
  }
  numbers.push_back(static_cast<int>(*value));
  _arguments[index] = QIVUnicodeString(std::to_string(*value));
  return true;
}

bool JournalEvent::Check(QIVUnicodeString& reason) {
  for (std::size_t i = 0; i < _arguments.size(); ++i) {
    QIVUnicodeString what;
    if (JournalWords::FindBadByte(_arguments[i].view(), what) >= 0) {
      reason = QIVUnicodeString::Format("argument %zu holds a ", i + 1) + what;
      return false;
    }
  }
  const VerbSyntax& syntax = SyntaxOf(_verb);
  const int count = static_cast<int>(_arguments.size());
  if (count < syntax.minArguments || (syntax.maxArguments != kAny && count > syntax.maxArguments)) {
    reason = WrongCount(syntax.usage);
    return false;
  }

  switch (_verb) {
    case JournalVerb::Show:
      return TakeWidget(0, reason);

    case JournalVerb::Answer:
      for (const char* answer : kAnswers)
        if (_arguments[0] == answer) return true;
      reason = "bad answer " + Quoted(_arguments[0]) + ": expected OK, Cancel, Yes or No";
      return false;

    case JournalVerb::Expect:
      return CheckExpectation(reason);

    case JournalVerb::Save:
      if (count == 1 && _arguments[0].IsEmpty()) {
        reason = "empty path";
        return false;
      }
      return true;

    case JournalVerb::Env:
      if (_arguments[0].IsEmpty() || _arguments[0].Contains("=")) {
        reason = "bad environment variable name " + Quoted(_arguments[0]);
        return false;
      }
      _envUnset = _arguments[1] == "unset";
      return true;

    default:
      return MakeUserEvent(reason);
  }
}

bool JournalEvent::MakeUserEvent(QIVUnicodeString& reason) {
  const int count = static_cast<int>(_arguments.size());
  const auto text = [this](int index) { return _arguments[index].str(); };
  const auto widget = [this] { return _widget.Format().str(); };
  std::vector<int> numbers;
  switch (_verb) {
    case JournalVerb::Start:
      if (!IsClassName(_arguments[0].view())) {
        reason = "bad class name " + Quoted(_arguments[0]) + ": expected letters, digits and _";
        return false;
      }
      _userEvent = QIVStartEvent(text(0), count > 1 ? std::optional<std::string>(text(1)) : std::nullopt);
      return true;

    case JournalVerb::Type:
      if (!TakeWidget(0, reason)) return false;
      _userEvent = QIVWidgetEvent::Type(widget(), text(1));
      return true;

    case JournalVerb::FocusOut:
      if (!TakeWidget(0, reason)) return false;
      _userEvent = QIVWidgetEvent::FocusOut(widget());
      return true;

    case JournalVerb::Press: {
      if (!TakeWidget(0, reason)) return false;
      const std::string name = _widget.GetName().str();
      const bool dialogNotification = std::find(kDialogNotifications.begin(), kDialogNotifications.end(),
                                                name) != kDialogNotifications.end();
      if (!dialogNotification) {
        _userEvent = QIVWidgetEvent::Press(widget());
        return true;
      }
      if (_widget.GetPath().size() > 2) {
        reason = "bad button " + Quoted(_arguments[0]) + ": a dialog's " + name + " is written " + name +
                 " or DIALOG/" + name;
        return false;
      }
      // The notification goes to the dialog named before it, or to the one shown last.
      _userEvent = QIVWidgetEvent::PressDialog(name, _widget.IsPath() ? _widget.GetPath().front().str() : "");
      return true;
    }

    case JournalVerb::Choose:
      if (!TakeWidget(0, reason) || !TakeNumber(1, numbers, reason)) return false;
      _userEvent = QIVWidgetEvent::Choose(widget(), numbers.front());
      return true;

    case JournalVerb::Activate:
      if (!TakeWidget(0, reason) || !TakeNumber(1, numbers, reason)) return false;
      _userEvent = QIVWidgetEvent::Activate(widget(), numbers.front());
      return true;

    case JournalVerb::Select:
      if (!TakeWidget(0, reason)) return false;
      for (int i = 1; i < count; ++i) {
        if (!TakeNumber(i, numbers, reason)) return false;
        if (std::count(numbers.begin(), numbers.end(), numbers.back()) > 1) {
          reason = QIVUnicodeString::Format("row %d is selected twice", numbers.back());
          return false;
        }
      }
      _userEvent = QIVWidgetEvent::Select(widget(), std::move(numbers));
      return true;

    case JournalVerb::Check:
      if (!TakeWidget(0, reason)) return false;
      if (_arguments[1] != "on" && _arguments[1] != "off") {
        reason = "bad on/off " + Quoted(_arguments[1]) + ": expected on or off";
        return false;
      }
      _userEvent = QIVWidgetEvent::Check(widget(), _arguments[1] == "on");
      return true;

    case JournalVerb::Tab:
      if (!TakeWidget(0, reason)) return false;
      if (_arguments[1].IsEmpty() || _arguments[1].Contains("/")) {
        reason = "bad tab page " + Quoted(_arguments[1]) + ": a page is given by its own name";
        return false;
      }
      _userEvent = QIVWidgetEvent::Tab(widget(), text(1));
      return true;

    case JournalVerb::File:
      if (_arguments[0].IsEmpty()) {
        reason = "empty path";
        return false;
      }
      _userEvent = _arguments[0] == "cancel" ? QIVWidgetEvent::FileCancel() : QIVWidgetEvent::File(text(0));
      return true;

    case JournalVerb::Pick:
    case JournalVerb::PickExtend: {
      std::vector<std::string> labels;
      for (QIVUnicodeString& word : _arguments) {
        std::optional<JournalObjectRef> object = JournalObjectRef::Parse(word.view(), reason);
        if (!object) return false;
        word = object->GetText();
        labels.push_back(word.str());
        _objects.push_back(std::move(*object));
      }
      const unsigned modifiers = _verb == JournalVerb::PickExtend ? QIVPickModifier::Extend : 0u;
      _userEvent = QIVPickEvent({}, modifiers, std::move(labels));
      return true;
    }

    case JournalVerb::Cancel:
      _userEvent = QIVCancelEvent{};
      return true;

    default:
      return false;
  }
}

bool JournalEvent::CheckExpectation(QIVUnicodeString& reason) {
  const auto syntax = std::find_if(kExpectations.begin(), kExpectations.end(),
                                   [&](const ExpectationSyntax& s) { return _arguments[0] == s.name; });
  if (syntax == kExpectations.end()) {
    reason = "unknown expectation " + Quoted(_arguments[0]) +
             ": expected box, no-box, line, no-line, text or count";
    return false;
  }
  _expectation = syntax->kind;
  if (static_cast<int>(_arguments.size()) != syntax->argumentCount) {
    reason = WrongCount(syntax->usage);
    return false;
  }
  switch (_expectation) {
    case JournalExpectation::Box:
    case JournalExpectation::Line:
    case JournalExpectation::NoLine:
      if (_arguments[1].IsEmpty()) {
        reason = "empty text to look for";
        return false;
      }
      return true;
    case JournalExpectation::NoBox:
      return true;
    case JournalExpectation::Text:
      return TakeWidget(1, reason);
    case JournalExpectation::Count: {
      std::vector<int> count;
      if (!TakeWidget(1, reason) || !TakeNumber(2, count, reason)) return false;
      _number = count.front();
      return true;
    }
  }
  return false;
}

QIVUnicodeString JournalEvent::Format() const {
  if (_userEvent) return QIVUnicodeString(QIVFormatEvent(*_userEvent));
  QIVUnicodeString line(VerbName(_verb));
  for (const QIVUnicodeString& argument : _arguments) line += " " + JournalWords::Quote(argument.view());
  return line;
}
