#include "QIVDlgEditor.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "QIVVar.h"

namespace {
// The whole text as one finite number; blanks around it are allowed.
bool ReadNumber(const std::string& text, double& number) {
  const char* start = text.c_str();
  char* end = nullptr;
  errno = 0;
  number = std::strtod(start, &end);
  if (end == start || errno == ERANGE || !std::isfinite(number)) return false;
  while (*end == ' ' || *end == '\t') ++end;
  return *end == '\0';
}

std::string ExactText(double value) {
  char text[32];
  // The shortest of the usual forms that reads back as the same number.
  for (int digits : {15, 17}) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::strtod(text, nullptr) == value) break;
  }
  return text;
}
}  // namespace

void QIVDlgEditor::SetValue(double value, int notify) {
  _text = ExactText(value);
  if (notify) SendNotification(QIVNotificationKind::Input);
}

double QIVDlgEditor::GetValue() const {
  double value = 0.0;
  return _text.ConvertToNum(&value, "%le") == 1 ? value : 0.0;
}

QIVUserEventResult QIVDlgEditor::UserType(const QIVUnicodeString& text) {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  if (GetStyle() & ReadOnlyStyle) return Refuse("is read-only");
  double number = 0.0;
  if ((GetStyle() & NumericStyle) && !text.IsEmpty()) {
    if (!ReadNumber(text.str(), number)) return Refuse("takes numbers only, not " + Quote(text.view()));
    if (number < _minimum || number > _maximum)
      return Refuse((_maximum == std::numeric_limits<double>::max()
                         ? "takes numbers of at least " + ExactText(_minimum)
                         : "takes numbers from " + ExactText(_minimum) + " to " + ExactText(_maximum)) +
                    ", not " + Quote(text.view()));
  }

  QIVBaseUnknown_var keepAlive(this);
  _text = text;
  if (_inputCallback) _inputCallback(_text, _inputData);
  SendNotification(QIVNotificationKind::Input);
  return QIVUserEventResult::Done();
}

QIVUserEventResult QIVDlgEditor::UserFocusOut() {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  SendNotification(QIVNotificationKind::EditFocusOut);
  return QIVUserEventResult::Done();
}

void QIVDlgEditor::DescribeState(std::string& line) const { line += " text=" + Quote(_text.view()); }
