#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "QIVCommand.h"
#include "QIVNotification.h"
#include "QIVUnicodeString.h"
#include "QIVUserEventResult.h"

// Visibility and sensitivity words of the toolkit.
inline constexpr int QIVDlgShow = 2;
inline constexpr int QIVDlgHide = 4;
inline constexpr int QIVDlgEnable = 8;
inline constexpr int QIVDlgDisable = 16;

// Where a widget sits in its container's grid. Stored for a front end; the
// toolkit lays nothing out.
struct QIVDlgGridConstraints {
  int row = 0;
  int column = 0;
  int rowSpan = 1;
  int columnSpan = 1;
  int justification = 0;
};

class QIVDialog;

// A widget tied to a tab line of its container, or to sides of it.
struct QIVDlgAttachment {
  enum Axis { Horizontal, Vertical, Sides };
  // Side bits for Sides attachments.
  static constexpr int Top = 1, Bottom = 2, Left = 4, Right = 8;

  Axis axis = Horizontal;
  int line = 0;  // the tab line, or the side bits
  int mode = 0;
  QIVDialog* widget = nullptr;
};

// The base of every widget and window of the headless dialog toolkit: a
// named object in a tree of containers, with the state a person sees
// (visibility, sensitivity, title, icon) and the notifications a person
// triggers through the User* events.
//
// Ownership: a widget created inside another widget (its parent, which also
// becomes its father) belongs to that parent, which holds its first
// reference and releases it when it goes; the creator keeps a borrowed
// pointer. A widget created with no parent, or on a command, belongs to its
// creator. RequestDelayedDestruction hands the owner's reference to the
// delayed-destruction queue. SetFather later changes where notifications
// climb, not who owns.
//
// Windows (dialog boxes, file boxes, notification boxes, the main window)
// end the container tree: a widget is shown when it and its containers up
// to its window are, the window included.
//
// Transcript lines written by the toolkit (texts in double quotes, with
// backslash, double quote and line feed escaped as \\, \" and \n):
//   dialog shown <name> "<title>"           a window became visible
//   dialog hidden <name>                    a window was hidden or closed
//   box <style> "<title>" "<message>" -> <answer>
//                                           a blocking notification box; the
//                                           style word in hex (0x8100000),
//                                           the answer OK, Cancel, Yes or No
// Describe() gives the one-line state a `show` event prints:
//   <name> <kind>[ insensitive][ hidden][ key=value...]
// for example
//   SelectListLeftId selector list lines=["W0012","W0013"] selected=[1]
class QIVDialog : public QIVCommand {
 public:
  ~QIVDialog() override;

  unsigned long GetStyle() const { return _style; }
  // A window is a dialog box or another top-level box.
  bool IsWindow() const { return _role == Role::Window; }

  virtual void SetVisibility(int visibility);
  int GetVisibility() const { return _visibility; }
  // Whether a person sees the widget: it and its containers up to its
  // window are visible, tab pages selected.
  bool IsShown() const;

  void SetSensitivity(int sensitivity) { _sensitivity = sensitivity; }
  int GetSensitivity() const { return _sensitivity; }
  // Whether a person can act on it: it and its containers are sensitive.
  bool IsSensitive() const;

  void SetTitle(const QIVUnicodeString& title) { _title = title; }
  const QIVUnicodeString& GetTitle() const { return _title; }

  // Icons for the normal, pressed, focused and disabled states; an empty
  // name takes the normal one.
  void SetIconName(const QIVUnicodeString& normal, const QIVUnicodeString& pressed = QIVUnicodeString(),
                   const QIVUnicodeString& focused = QIVUnicodeString(),
                   const QIVUnicodeString& disabled = QIVUnicodeString());
  enum IconState { NormalIcon, PressedIcon, FocusedIcon, DisabledIcon };
  const QIVUnicodeString& GetIconName(IconState state = NormalIcon) const;

  void SetGridConstraints(int row, int column, int rowSpan = 1, int columnSpan = 1, int justification = 0);
  void SetGridConstraints(const QIVDlgGridConstraints& constraints) { _grid = constraints; }
  const QIVDlgGridConstraints& GetGridConstraints() const { return _grid; }

  void SetVisibleTextWidth(int characters) { _visibleTextWidth = characters; }
  int GetVisibleTextWidth() const { return _visibleTextWidth; }
  void SetVisibleTextHeight(int lines) { _visibleTextHeight = lines; }
  int GetVisibleTextHeight() const { return _visibleTextHeight; }

  // Attachments of this container's widgets.
  void SetHorizontalAttachment(int tabLine, int mode, QIVDialog* widget);
  void SetVerticalAttachment(int tabLine, int mode, QIVDialog* widget);
  void SetSideAttachment(QIVDialog* widget, int sides, int mode = 0);
  void ResetAttachment(QIVDialog* widget);
  const std::vector<QIVDlgAttachment>& GetAttachments() const { return _attachments; }

  // The widget of that name below this one, through frames and tab pages
  // but not into other windows; `path` may name containers on the way
  // ("Frame/Widget", this widget's own name may lead). Null with a reason
  // when no widget or several match.
  QIVDialog* FindWidget(std::string_view path, std::string* reason = nullptr) const;
  template <class T>
  T* Find(std::string_view path, std::string* reason = nullptr) const {
    return dynamic_cast<T*>(FindWidget(path, reason));
  }
  // Names from the window down to this widget, joined by "/".
  std::string GetPath() const;

  // The windows being shown, in showing order.
  static const std::vector<QIVDialog*>& VisibleDialogs();
  // The widget a user event names, searched in every shown window; a
  // "Dialog/Frame/Widget" path settles ambiguous names.
  static QIVDialog* FindVisibleWidget(std::string_view path, std::string* reason = nullptr);

  std::string Describe() const;
  // A text in double quotes, escaped for a transcript line.
  static std::string Quote(std::string_view text);
  // Texts quoted and joined as ["a","b"].
  static std::string QuoteList(const std::vector<QIVUnicodeString>& texts);

  // Hides a shown window and hands the owner's reference to the queue.
  void RequestDelayedDestruction() override;

  // The notification kinds, as the host's callers ask for them.
  static const char* GetDiaOKNotification() { return QIVNotificationKind::OK; }
  static const char* GetDiaCANCELNotification() { return QIVNotificationKind::Cancel; }
  static const char* GetDiaAPPLYNotification() { return QIVNotificationKind::Apply; }
  static const char* GetDiaCLOSENotification() { return QIVNotificationKind::Close; }
  static const char* GetWindCloseNotification() { return QIVNotificationKind::WindowClose; }
  static const char* GetPushBActivateNotification() { return QIVNotificationKind::Activate; }
  static const char* GetListSelectNotification() { return QIVNotificationKind::Select; }
  static const char* GetListActivateNotification() { return QIVNotificationKind::Activate; }
  static const char* GetComboSelectNotification() { return QIVNotificationKind::Select; }
  static const char* GetEditModifyNotification() { return QIVNotificationKind::Input; }
  static const char* GetEditSelectNotification() { return QIVNotificationKind::Select; }
  static const char* GetEditFocusOutNotification() { return QIVNotificationKind::EditFocusOut; }
  static const char* GetChkBModifyNotification() { return QIVNotificationKind::Check; }
  static const char* GetRadBModifyNotification() { return QIVNotificationKind::Check; }
  static const char* GetTabSelectNotification() { return QIVNotificationKind::TabSelected; }
  static const char* GetSpinnerModifyNotification() { return QIVNotificationKind::ValueChanged; }

  const char* GetImplClassName() const override { return "QIVDialog"; }

 protected:
  enum class Role { Widget, Window };

  QIVDialog(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style, Role role = Role::Widget);

  // The kind shown by Describe ("push button").
  virtual const char* KindName() const = 0;
  // Appends " key=value" pairs of the widget's own state.
  virtual void DescribeState(std::string&) const {}
  // Whether this container shows that child (a tab container shows only
  // its selected page).
  virtual bool ShowsChild(const QIVDialog*) const { return true; }

  // Refuses events on widgets a person cannot reach.
  QIVUserEventResult CheckUserCanAct() const;
  QIVUserEventResult Refuse(const std::string& why) const;

  // For windows that are visible from birth (the main window).
  void SetVisibleWithoutNotice() { _visibility = QIVDlgShow; }

 private:
  QIVDialog* Container() const;
  void FindAllBelow(std::string_view name, std::vector<QIVDialog*>& found) const;
  static std::vector<QIVDialog*> ResolvePath(const std::vector<QIVDialog*>& roots, std::string_view path,
                                             bool rootsMayLead);
  static QIVDialog* PickOne(const std::vector<QIVDialog*>& found, std::string_view path, std::string* reason);
  // The windows shown in a session, each knowing the list it is in.
  struct ShownWindows;
  static ShownWindows& Shown();
  void LeaveShown();

  Role _role;
  unsigned long _style;
  int _visibility;
  int _sensitivity = QIVDlgEnable;
  QIVUnicodeString _title;
  std::array<QIVUnicodeString, 4> _icons;
  QIVDlgGridConstraints _grid;
  int _visibleTextWidth = 0;
  int _visibleTextHeight = 0;
  std::vector<QIVDlgAttachment> _attachments;
  QIVDialog* _owner = nullptr;
  std::vector<QIVDialog*> _owned;
  ShownWindows* _shownIn = nullptr;
};
