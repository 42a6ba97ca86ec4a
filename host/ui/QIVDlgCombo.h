#pragma once

#include <vector>

#include "QIVDialog.h"

// A drop-down list of lines with one chosen line; a person's choice emits
// Select, also when the same line is chosen again.
class QIVDlgCombo : public QIVDialog {
 public:
  QIVDlgCombo(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style) {}

  // Appends when `index` is -1 or the line count, else replaces that line.
  void SetLine(const QIVUnicodeString& text, int index = -1);
  QIVUnicodeString GetLine(int index) const;
  int GetLineCount() const { return static_cast<int>(_lines.size()); }
  // Removes every line and the choice.
  void ClearLine();

  // Chooses a line (-1 for none); emits Select when `notify` is set.
  void SetSelect(int index, int notify = 0);
  int GetSelect() const { return _selected; }

  QIVUserEventResult UserChoose(int index);

  const char* GetImplClassName() const override { return "QIVDlgCombo"; }

 protected:
  const char* KindName() const override { return "combo"; }
  void DescribeState(std::string& line) const override;

 private:
  std::vector<QIVUnicodeString> _lines;
  int _selected = -1;
};
