#pragma once

#include "QIVDialog.h"

// A number within a range, changed by steps or typed; a person's change
// emits ValueChanged.
class QIVDlgSpinner : public QIVDialog {
 public:
  QIVDlgSpinner(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style) {}

  // The value is brought into the new range.
  void SetRange(double minimum, double maximum, double step = 1.0);
  double GetMinimum() const { return _minimum; }
  double GetMaximum() const { return _maximum; }
  double GetStep() const { return _step; }
  // Brought into the range; emits ValueChanged when `notify` is set.
  void SetValue(double value, int notify = 0);
  double GetValue() const { return _value; }

  QIVUserEventResult UserSetValue(double value);

  const char* GetImplClassName() const override { return "QIVDlgSpinner"; }

 protected:
  const char* KindName() const override { return "spinner"; }
  void DescribeState(std::string& line) const override;

 private:
  double _minimum = 0.0;
  double _maximum = 100.0;
  double _step = 1.0;
  double _value = 0.0;
};
