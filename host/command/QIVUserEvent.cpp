#include "QIVUserEvent.h"

#include <algorithm>

#include "QIVDialog.h"

namespace {
struct VerbEntry {
  QIVWidgetEvent::Action action;
  const char* verb;
};

constexpr VerbEntry Verbs[] = {
    {QIVWidgetEvent::Action::Type, "type"},         {QIVWidgetEvent::Action::Press, "press"},
    {QIVWidgetEvent::Action::PressDialog, "press"}, {QIVWidgetEvent::Action::Choose, "choose"},
    {QIVWidgetEvent::Action::Select, "select"},     {QIVWidgetEvent::Action::Activate, "activate"},
    {QIVWidgetEvent::Action::Check, "check"},       {QIVWidgetEvent::Action::Tab, "tab"},
    {QIVWidgetEvent::Action::File, "file"},         {QIVWidgetEvent::Action::FileCancel, "file"},
    {QIVWidgetEvent::Action::FocusOut, "focusout"},
};

std::string QuoteIfNeeded(const std::string& text) {
  const bool plain = !text.empty() && text.find_first_of(" \t\"\\#") == std::string::npos;
  return plain ? text : QIVDialog::Quote(text);
}

QIVWidgetEvent Make(QIVWidgetEvent::Action action, std::string widget, std::string text = std::string(),
                    std::vector<int> numbers = {}, bool on = false) {
  QIVWidgetEvent event;
  event.action = action;
  event.widget = std::move(widget);
  event.text = std::move(text);
  event.numbers = std::move(numbers);
  event.on = on;
  return event;
}
}  // namespace

std::string QIVStartEvent::Format() const {
  std::string line = "start " + className;
  if (argument) line += " " + QuoteIfNeeded(*argument);
  if (object) line += " " + QuoteIfNeeded(label.empty() ? std::string("(object)") : label);
  return line;
}

std::string QIVPickEvent::Format() const {
  std::string line = Extends() ? "pick+" : "pick";
  // Labels name the objects; a pick read from a journal has them before its
  // paths are resolved.
  for (std::size_t i = 0; i < std::max(paths.size(), labels.size()); ++i) {
    if (i < labels.size())
      line += " " + QuoteIfNeeded(labels[i]);
    else
      line += " " + QuoteIfNeeded(paths[i] ? paths[i]->Format() : std::string());
  }
  return line;
}

QIVWidgetEvent QIVWidgetEvent::Type(std::string widget, std::string text) {
  return Make(Action::Type, std::move(widget), std::move(text));
}
QIVWidgetEvent QIVWidgetEvent::Press(std::string pushButton) {
  return Make(Action::Press, std::move(pushButton));
}
QIVWidgetEvent QIVWidgetEvent::PressDialog(std::string kind, std::string dialog) {
  return Make(Action::PressDialog, std::move(dialog), std::move(kind));
}
QIVWidgetEvent QIVWidgetEvent::Choose(std::string combo, int line) {
  return Make(Action::Choose, std::move(combo), std::string(), {line});
}
QIVWidgetEvent QIVWidgetEvent::Select(std::string list, std::vector<int> rows) {
  return Make(Action::Select, std::move(list), std::string(), std::move(rows));
}
QIVWidgetEvent QIVWidgetEvent::Activate(std::string list, int row) {
  return Make(Action::Activate, std::move(list), std::string(), {row});
}
QIVWidgetEvent QIVWidgetEvent::Check(std::string button, bool on) {
  return Make(Action::Check, std::move(button), std::string(), {}, on);
}
QIVWidgetEvent QIVWidgetEvent::Tab(std::string container, std::string page) {
  return Make(Action::Tab, std::move(container), std::move(page));
}
QIVWidgetEvent QIVWidgetEvent::File(std::string path) {
  return Make(Action::File, std::string(), std::move(path));
}
QIVWidgetEvent QIVWidgetEvent::FileCancel() { return Make(Action::FileCancel, std::string()); }
QIVWidgetEvent QIVWidgetEvent::FocusOut(std::string editor) {
  return Make(Action::FocusOut, std::move(editor));
}

const char* QIVWidgetEvent::VerbName(Action action) {
  for (const VerbEntry& entry : Verbs)
    if (entry.action == action) return entry.verb;
  return "?";
}

std::string QIVWidgetEvent::Format() const {
  std::string line = VerbName(action);
  switch (action) {
    case Action::PressDialog:
      return line + " " + (widget.empty() ? text : widget + "/" + text);
    case Action::File:
      return line + " " + QuoteIfNeeded(text);
    case Action::FileCancel:
      return line + " cancel";
    default:
      break;
  }
  line += " " + QuoteIfNeeded(widget);
  for (int number : numbers) line += " " + std::to_string(number);
  if (action == Action::Check) line += on ? " on" : " off";
  if (action == Action::Type || action == Action::Tab) line += " " + QuoteIfNeeded(text);
  return line;
}

std::string QIVFormatEvent(const QIVUserEvent& event) {
  return std::visit([](const auto& alternative) { return alternative.Format(); }, event);
}
