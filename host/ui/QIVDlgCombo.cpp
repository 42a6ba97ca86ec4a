#include "QIVDlgCombo.h"

void QIVDlgCombo::SetLine(const QIVUnicodeString& text, int index) {
  if (index < 0 || index >= GetLineCount()) {
    _lines.push_back(text);
  } else {
    _lines[index] = text;
  }
}

QIVUnicodeString QIVDlgCombo::GetLine(int index) const {
  return index >= 0 && index < GetLineCount() ? _lines[index] : QIVUnicodeString();
}

void QIVDlgCombo::ClearLine() {
  _lines.clear();
  _selected = -1;
}

void QIVDlgCombo::SetSelect(int index, int notify) {
  if (index < -1 || index >= GetLineCount()) return;
  _selected = index;
  if (notify) SendNotification(QIVNotificationKind::Select);
}

QIVUserEventResult QIVDlgCombo::UserChoose(int index) {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  if (index < 0 || index >= GetLineCount()) return Refuse("has no line " + std::to_string(index));
  _selected = index;
  SendNotification(QIVNotificationKind::Select);
  return QIVUserEventResult::Done();
}

void QIVDlgCombo::DescribeState(std::string& line) const {
  line += " lines=" + QuoteList(_lines) + " selected=" + std::to_string(_selected);
}
