#include "QIVDlgEditor.h"

#include "QIVVar.h"

void QIVDlgEditor::SetValue(double value, int notify) {
  _text.BuildFromNum(value, "%g");
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
  if ((GetStyle() & NumericStyle) && !text.IsEmpty() && text.ConvertToNum(&number, "%le") != 1) {
    return Refuse("takes numbers only, not " + Quote(text.view()));
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
