#include "QIVDlgSelectorList.h"

#include <utility>

void QIVDlgSelectorList::SetLine(const QIVUnicodeString& text, int row) {
  if (row < 0 || row >= GetRowCount()) {
    AppendRow({text});
  } else {
    RowCells(row) = {text};
    RowsChanged();
  }
}

void QIVDlgSelectorList::SetLines(std::vector<QIVUnicodeString> lines) {
  std::vector<std::vector<QIVUnicodeString>> rows(lines.size());
  for (std::size_t row = 0; row < lines.size(); ++row) {
    rows[row].reserve(1);
    rows[row].push_back(std::move(lines[row]));
  }
  ReplaceRows(std::move(rows));
}

QIVUnicodeString QIVDlgSelectorList::GetLine(int row) const {
  return row >= 0 && row < GetRowCount() ? RowCells(row).front() : QIVUnicodeString();
}
