#pragma once

#include <vector>

#include "QIVDlgRowList.h"

// A list of text lines of which a person selects several.
class QIVDlgSelectorList : public QIVDlgRowList {
 public:
  QIVDlgSelectorList(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDlgRowList(parent, name, style) {}

  // Appends when `row` is -1 or the line count, else replaces that line.
  void SetLine(const QIVUnicodeString& text, int row = -1);
  // Replaces every line, and clears the selection, in one go: a list of
  // 100,000 lines filled line by line copied each text twice.
  void SetLines(std::vector<QIVUnicodeString> lines);
  QIVUnicodeString GetLine(int row) const;
  int GetLineCount() const { return GetRowCount(); }

  const char* GetImplClassName() const override { return "QIVDlgSelectorList"; }

 protected:
  const char* KindName() const override { return "selector list"; }
  void DescribeState(std::string& line) const override { DescribeRows(line, "lines", false); }
};
