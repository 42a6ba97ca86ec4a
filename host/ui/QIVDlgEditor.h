#pragma once

#include <limits>

#include "QIVDialog.h"

// A text field. A person's edit replaces the text, runs the input hook and
// emits Input; a numeric field refuses a text that is not wholly one finite
// number within its range, and keeps its text; leaving the field emits EditFocusOut. Setting the text from
// code runs no hook and emits nothing.
class QIVDlgEditor : public QIVDialog {
 public:
  // Style bits: the field takes numbers only; the field is read-only.
  static constexpr unsigned long NumericStyle = 0x20000;
  static constexpr unsigned long ReadOnlyStyle = 0x4000000;

  using InputCallback = void (*)(const QIVUnicodeString& text, void* data);

  QIVDlgEditor(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style) {}

  void SetText(const QIVUnicodeString& text) { _text = text; }
  const QIVUnicodeString& GetText() const { return _text; }
  // The field's value as a number; 0 when the text is not one. The value
  // is written with as many digits as it takes to read it back exactly.
  void SetValue(double value, int notify = 0);
  double GetValue() const;

  // The values a person may type into a numeric field, bounds included;
  // any finite number until set.
  void SetRange(double minimum, double maximum) {
    _minimum = minimum;
    _maximum = maximum;
  }

  // Run on each edit by a person, with the new text and `data`.
  void SetInputCallback(InputCallback callback, void* data = nullptr) {
    _inputCallback = callback;
    _inputData = data;
  }

  QIVUserEventResult UserType(const QIVUnicodeString& text);
  QIVUserEventResult UserFocusOut();

  const char* GetImplClassName() const override { return "QIVDlgEditor"; }

 protected:
  const char* KindName() const override { return "editor"; }
  void DescribeState(std::string& line) const override;

 private:
  QIVUnicodeString _text;
  double _minimum = -std::numeric_limits<double>::max();
  double _maximum = std::numeric_limits<double>::max();
  InputCallback _inputCallback = nullptr;
  void* _inputData = nullptr;
};
