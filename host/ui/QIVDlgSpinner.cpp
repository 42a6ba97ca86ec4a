#include "QIVDlgSpinner.h"

#include <algorithm>

void QIVDlgSpinner::SetRange(double minimum, double maximum, double step) {
  _minimum = std::min(minimum, maximum);
  _maximum = std::max(minimum, maximum);
  _step = step;
  _value = std::clamp(_value, _minimum, _maximum);
}

void QIVDlgSpinner::SetValue(double value, int notify) {
  _value = std::clamp(value, _minimum, _maximum);
  if (notify) SendNotification(QIVNotificationKind::ValueChanged);
}

QIVUserEventResult QIVDlgSpinner::UserSetValue(double value) {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  if (value < _minimum || value > _maximum) {
    return Refuse("takes values from " + QIVUnicodeString().BuildFromNum(_minimum).str() + " to " +
                  QIVUnicodeString().BuildFromNum(_maximum).str());
  }
  SetValue(value, 1);
  return QIVUserEventResult::Done();
}

void QIVDlgSpinner::DescribeState(std::string& line) const {
  line += " value=" + QIVUnicodeString().BuildFromNum(_value).str() + " range=[" +
          QIVUnicodeString().BuildFromNum(_minimum).str() + "," +
          QIVUnicodeString().BuildFromNum(_maximum).str() + "]";
}
