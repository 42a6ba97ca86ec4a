#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "QIVPathElement.h"

// The user events the dispatcher delivers, as small values. Format gives
// each a one-line form for logs, close to the journal line that plays it.

// Start the command registered under a class name, with the factory's
// argument: a text (handed to the factory as a C string), or an object
// (QIVBaseUnknown*) for factories that take one. The label names the
// object in Format.
struct QIVStartEvent {
  explicit QIVStartEvent(std::string className, std::optional<std::string> argument = std::nullopt,
                         QIVBaseUnknown* object = nullptr, std::string label = std::string())
      : className(std::move(className)), argument(std::move(argument)), object(object), label(std::move(label)) {}

  std::string className;
  std::optional<std::string> argument;
  QIVBaseUnknown* object = nullptr;
  std::string label;

  std::string Format() const;
};

// Objects picked in a view or a tree, with the modifiers held
// (QIVPickModifier). Labels, when given, name the objects in Format, and
// may come before the paths: a journal names its picks before the player
// finds them in the document.
struct QIVPickEvent {
  explicit QIVPickEvent(std::vector<QIVPathElement_var> paths, unsigned modifiers = 0,
                        std::vector<std::string> labels = {})
      : paths(std::move(paths)), modifiers(modifiers), labels(std::move(labels)) {}

  std::vector<QIVPathElement_var> paths;
  unsigned modifiers = 0;
  std::vector<std::string> labels;

  bool Extends() const { return (modifiers & QIVPickModifier::Extend) != 0; }
  std::string Format() const;
};

// An action on a widget of the running command's dialogs. `widget` is a
// widget name or a "Dialog/Frame/Widget" path; for PressDialog it names the
// dialog (empty: the dialog of the command shown last) and `text` holds the
// notification (OK, Cancel, Apply, Close, WindowClose).
struct QIVWidgetEvent {
  enum class Action {
    Type,
    Press,
    PressDialog,
    Choose,
    Select,
    Activate,
    Check,
    Tab,
    File,
    FileCancel,
    FocusOut
  };

  Action action = Action::Press;
  std::string widget;
  std::string text;
  std::vector<int> numbers;
  bool on = false;

  static QIVWidgetEvent Type(std::string widget, std::string text);
  static QIVWidgetEvent Press(std::string pushButton);
  static QIVWidgetEvent PressDialog(std::string kind, std::string dialog = std::string());
  static QIVWidgetEvent Choose(std::string combo, int line);
  static QIVWidgetEvent Select(std::string list, std::vector<int> rows);
  static QIVWidgetEvent Activate(std::string list, int row);
  static QIVWidgetEvent Check(std::string button, bool on);
  static QIVWidgetEvent Tab(std::string container, std::string page);
  static QIVWidgetEvent File(std::string path);
  static QIVWidgetEvent FileCancel();
  static QIVWidgetEvent FocusOut(std::string editor);

  static const char* VerbName(Action action);
  std::string Format() const;
};

// Cancel the running command, as the Escape key would.
struct QIVCancelEvent {
  std::string Format() const { return "cancel"; }
};

using QIVUserEvent = std::variant<QIVStartEvent, QIVPickEvent, QIVWidgetEvent, QIVCancelEvent>;

std::string QIVFormatEvent(const QIVUserEvent& event);
