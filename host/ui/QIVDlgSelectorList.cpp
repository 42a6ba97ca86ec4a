#include "QIVDlgSelectorList.h"

void QIVDlgSelectorList::SetLine(const QIVUnicodeString& text, int row) {
  if (row < 0 || row >= GetRowCount()) {
    AppendRow({text});
  } else {
    RowCells(row) = {text};
    RowsChanged();
  }
}

QIVUnicodeString QIVDlgSelectorList::GetLine(int row) const {
  return row >= 0 && row < GetRowCount() ? RowCells(row).front() : QIVUnicodeString();
}
