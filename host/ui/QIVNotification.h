#pragma once

#include <string>

class QIVCommand;

// The notification kinds the toolkit emits. A notification kind is a plain
// text, so commands may emit kinds of their own.
namespace QIVNotificationKind {
inline constexpr const char* OK = "OK";
inline constexpr const char* Cancel = "Cancel";
// The answers of a question box.
inline constexpr const char* Yes = "Yes";
inline constexpr const char* No = "No";
inline constexpr const char* Apply = "Apply";
inline constexpr const char* Close = "Close";
inline constexpr const char* WindowClose = "WindowClose";
// A push button pressed, a list row double-clicked.
inline constexpr const char* Activate = "Activate";
// A list, combo or tab selection changed.
inline constexpr const char* Select = "Select";
// An editor's text changed.
inline constexpr const char* Input = "Input";
inline constexpr const char* Modify = "Modify";
inline constexpr const char* EditFocusOut = "EditFocusOut";
// A check or radio button changed.
inline constexpr const char* Check = "Check";
// A spinner's value changed.
inline constexpr const char* ValueChanged = "ValueChanged";
inline constexpr const char* TabSelected = "TabSelected";
// Signals a panel sends its command beyond the dialog buttons.
inline constexpr const char* Help = "Help";
inline constexpr const char* Previous = "Previous";
inline constexpr const char* Next = "Next";
inline constexpr const char* MDIMaximize = "MDIMaximize";
}  // namespace QIVNotificationKind

// What an object tells its subscribers and its fathers: a kind and the
// object it comes from. The sender stays the emitting object while the
// notification travels up the father chain.
struct QIVNotification {
  std::string kind;
  QIVCommand* sender = nullptr;

  bool Is(const char* other) const { return kind == other; }
  // "Kind from SenderName", for traces and journals.
  std::string Format() const;
};
