#include "QIVDialog.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "QIVSession.h"
#include "QIVTranscript.h"
#include "QIVVar.h"

struct QIVDialog::ShownWindows : QIVSessionPart {
  std::vector<QIVDialog*> windows;
  ~ShownWindows() override {
    for (QIVDialog* window : windows) window->_shownIn = nullptr;
  }
};

namespace {
std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  while (true) {
    std::size_t slash = path.find('/');
    parts.push_back(path.substr(0, slash));
    if (slash == std::string_view::npos) return parts;
    path.remove_prefix(slash + 1);
  }
}

void AppendUnique(std::vector<QIVDialog*>& into, QIVDialog* widget) {
  if (std::find(into.begin(), into.end(), widget) == into.end()) into.push_back(widget);
}
}  // namespace

QIVDialog::QIVDialog(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style, Role role)
    : QIVCommand(parent, name),
      _role(role),
      _style(style),
      _visibility(role == Role::Window ? QIVDlgHide : QIVDlgShow) {
  if (auto* owner = dynamic_cast<QIVDialog*>(parent)) {
    _owner = owner;
    owner->_owned.push_back(this);
  }
}

QIVDialog::~QIVDialog() {
  LeaveShown();
  if (QIVDialog* container = Container()) container->ResetAttachment(this);
  if (_owner) std::erase(_owner->_owned, this);

  DetachChildren();
  std::vector<QIVDialog*> owned = std::move(_owned);
  for (QIVDialog* child : owned) child->_owner = nullptr;
  for (QIVDialog* child : owned) child->Release();
}

QIVDialog::ShownWindows& QIVDialog::Shown() { return QIVSession::Current().Get<ShownWindows>(); }

void QIVDialog::LeaveShown() {
  if (!_shownIn) return;
  std::erase(_shownIn->windows, this);
  _shownIn = nullptr;
  QIVTranscript::Current().Record("dialog hidden " + GetName().str());
}

const std::vector<QIVDialog*>& QIVDialog::VisibleDialogs() { return Shown().windows; }

QIVDialog* QIVDialog::Container() const {
  return IsWindow() ? nullptr : dynamic_cast<QIVDialog*>(GetFather());
}

void QIVDialog::SetVisibility(int visibility) {
  if (visibility != QIVDlgShow && visibility != QIVDlgHide) return;
  if (visibility == _visibility) return;
  _visibility = visibility;
  if (!IsWindow()) return;

  if (visibility == QIVDlgShow) {
    _shownIn = &Shown();
    _shownIn->windows.push_back(this);
    QIVTranscript::Current().Record("dialog shown " + GetName().str() + " " + Quote(GetTitle().view()));
  } else {
    LeaveShown();
  }
}

bool QIVDialog::IsShown() const {
  for (const QIVDialog* widget = this;;) {
    if (widget->_visibility != QIVDlgShow) return false;
    if (widget->IsWindow()) return true;
    const QIVDialog* container = widget->Container();
    if (!container || !container->ShowsChild(widget)) return false;
    widget = container;
  }
}

bool QIVDialog::IsSensitive() const {
  for (const QIVDialog* widget = this; widget; widget = widget->Container()) {
    if (widget->_sensitivity != QIVDlgEnable) return false;
  }
  return true;
}

void QIVDialog::SetIconName(const QIVUnicodeString& normal, const QIVUnicodeString& pressed,
                            const QIVUnicodeString& focused, const QIVUnicodeString& disabled) {
  _icons = {normal, pressed, focused, disabled};
}

const QIVUnicodeString& QIVDialog::GetIconName(IconState state) const {
  return _icons[state].IsEmpty() ? _icons[NormalIcon] : _icons[state];
}

void QIVDialog::SetGridConstraints(int row, int column, int rowSpan, int columnSpan, int justification) {
  _grid = {row, column, rowSpan, columnSpan, justification};
}

void QIVDialog::SetHorizontalAttachment(int tabLine, int mode, QIVDialog* widget) {
  if (widget) _attachments.push_back({QIVDlgAttachment::Horizontal, tabLine, mode, widget});
}

void QIVDialog::SetVerticalAttachment(int tabLine, int mode, QIVDialog* widget) {
  if (widget) _attachments.push_back({QIVDlgAttachment::Vertical, tabLine, mode, widget});
}

void QIVDialog::SetSideAttachment(QIVDialog* widget, int sides, int mode) {
  if (widget) _attachments.push_back({QIVDlgAttachment::Sides, sides, mode, widget});
}

void QIVDialog::ResetAttachment(QIVDialog* widget) {
  std::erase_if(_attachments,
                [widget](const QIVDlgAttachment& attachment) { return attachment.widget == widget; });
}

void QIVDialog::FindAllBelow(std::string_view name, std::vector<QIVDialog*>& found) const {
  for (QIVCommand* child : GetChildren()) {
    auto* widget = dynamic_cast<QIVDialog*>(child);
    if (!widget || widget->IsWindow()) continue;
    if (widget->GetName().view() == name) found.push_back(widget);
    widget->FindAllBelow(name, found);
  }
}

namespace {
// A path part "Name[N]" names the N-th (from 0) of the namesakes found below
// one container; a plain "Name" names them all.
std::pair<std::string_view, int> NameAndPosition(std::string_view part) {
  if (part.size() < 4 || part.back() != ']') return {part, -1};
  const std::size_t open = part.rfind('[');
  if (open == std::string_view::npos || open == 0 || open + 2 > part.size() - 1 || part.size() - open > 11)
    return {part, -1};
  int position = 0;
  for (char c : part.substr(open + 1, part.size() - open - 2)) {
    if (c < '0' || c > '9') return {part, -1};
    position = position * 10 + (c - '0');
  }
  return {part.substr(0, open), position};
}
}  // namespace

std::vector<QIVDialog*> QIVDialog::ResolvePath(const std::vector<QIVDialog*>& roots, std::string_view path,
                                               bool rootsMayLead) {
  std::vector<std::string_view> parts = SplitPath(path);
  std::vector<QIVDialog*> candidates = roots;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const auto [name, position] = NameAndPosition(parts[i]);
    std::vector<QIVDialog*> next;
    for (QIVDialog* candidate : candidates) {
      std::vector<QIVDialog*> below;
      if (i == 0 && rootsMayLead && candidate->GetName().view() == name) below.push_back(candidate);
      candidate->FindAllBelow(name, below);
      if (position < 0) {
        for (QIVDialog* widget : below) AppendUnique(next, widget);
      } else if (position < static_cast<int>(below.size())) {
        AppendUnique(next, below[position]);
      }
    }
    candidates = std::move(next);
  }
  return candidates;
}

QIVDialog* QIVDialog::PickOne(const std::vector<QIVDialog*>& found, std::string_view path,
                              std::string* reason) {
  if (found.size() == 1) return found.front();
  // A person sees only shown widgets: among namesakes, the one shown is
  // meant (a dialog rebuilding a frame keeps the hidden old one).
  QIVDialog* shown = nullptr;
  int shownCount = 0;
  for (QIVDialog* widget : found)
    if (widget->IsShown()) {
      shown = widget;
      ++shownCount;
    }
  if (shownCount == 1) return shown;
  if (reason) {
    if (found.empty()) {
      *reason = "no widget " + Quote(path);
    } else {
      *reason = Quote(path) + " is ambiguous:";
      for (const QIVDialog* widget : found) *reason += " " + widget->GetPath();
    }
  }
  return nullptr;
}

QIVDialog* QIVDialog::FindWidget(std::string_view path, std::string* reason) const {
  bool throughSelf = path.find('/') != std::string_view::npos;
  auto* self = const_cast<QIVDialog*>(this);
  QIVDialog* found = PickOne(ResolvePath({self}, path, throughSelf), path, reason);
  if (!found && reason) *reason += " in " + GetName().str();
  return found;
}

QIVDialog* QIVDialog::FindVisibleWidget(std::string_view path, std::string* reason) {
  QIVDialog* found = PickOne(ResolvePath(Shown().windows, path, true), path, reason);
  if (!found && reason) *reason += " in the shown dialogs";
  return found;
}

std::string QIVDialog::GetPath() const {
  std::string path = GetName().str();
  for (const QIVDialog* container = Container(); container; container = container->Container()) {
    path = container->GetName().str() + "/" + path;
  }
  return path;
}

std::string QIVDialog::Quote(std::string_view text) { return QIVTranscript::Quote(text); }

std::string QIVDialog::QuoteList(const std::vector<QIVUnicodeString>& texts) {
  std::string list = "[";
  for (std::size_t i = 0; i < texts.size(); ++i) list += (i ? "," : "") + Quote(texts[i].view());
  return list + "]";
}

std::string QIVDialog::Describe() const {
  std::string line = GetName().str() + " " + KindName();
  if (_sensitivity != QIVDlgEnable) line += " insensitive";
  if (_visibility != QIVDlgShow) line += " hidden";
  if (!_title.IsEmpty()) line += " title=" + Quote(_title.view());
  if (!_icons[NormalIcon].IsEmpty()) line += " icon=" + _icons[NormalIcon].str();
  DescribeState(line);
  return line;
}

QIVUserEventResult QIVDialog::Refuse(const std::string& why) const {
  return QIVUserEventResult::Refused(GetName().str() + " " + why);
}

QIVUserEventResult QIVDialog::CheckUserCanAct() const {
  if (IsDestructionRequested()) return Refuse("is closing");
  if (!IsShown()) return Refuse("is not shown");
  if (!IsSensitive()) return Refuse("is insensitive");
  return QIVUserEventResult::Done();
}

void QIVDialog::RequestDelayedDestruction() {
  if (IsDestructionRequested()) return;
  QIVBaseUnknown_var keepAlive(this);
  if (IsWindow()) SetVisibility(QIVDlgHide);
  if (_owner) {
    std::erase(_owner->_owned, this);
    _owner = nullptr;
  }
  QIVCommand::RequestDelayedDestruction();
}
