#include "QIVDlgRowList.h"

#include <utility>

#include "QIVVar.h"

void QIVDlgRowList::ClearLine() {
  _rows.clear();
  _selection.clear();
  _selectedMask.clear();
  RowsChanged();
}

void QIVDlgRowList::RemoveRow(int row) {
  if (row < 0 || row >= GetRowCount()) return;
  _rows.erase(_rows.begin() + row);
  _selectedMask.erase(_selectedMask.begin() + row);
  std::erase(_selection, row);
  for (int& selected : _selection) {
    if (selected > row) --selected;
  }
  RowsChanged();
}

int QIVDlgRowList::AppendRow(std::vector<QIVUnicodeString> cells) {
  _rows.push_back(std::move(cells));
  _selectedMask.push_back(0);
  RowsChanged();
  return GetRowCount() - 1;
}

void QIVDlgRowList::ReplaceRows(std::vector<std::vector<QIVUnicodeString>> rows) {
  _rows = std::move(rows);
  _selection.clear();
  _selectedMask.assign(_rows.size(), 0);
  RowsChanged();
}

void QIVDlgRowList::SetSelect(const std::vector<int>& rows, int notify) {
  for (int selected : _selection) _selectedMask[selected] = 0;
  _selection.clear();
  for (int row : rows) {
    if (row < 0 || row >= GetRowCount() || _selectedMask[row]) continue;
    _selectedMask[row] = 1;
    _selection.push_back(row);
  }
  if (notify) SendNotification(QIVNotificationKind::Select);
}

void QIVDlgRowList::SetRowSelected(int row, bool selected, int notify) {
  if (row < 0 || row >= GetRowCount() || IsSelected(row) == selected) return;
  _selectedMask[row] = selected;
  if (selected) {
    _selection.push_back(row);
  } else {
    std::erase(_selection, row);
  }
  if (notify) SendNotification(QIVNotificationKind::Select);
}

QIVUserEventResult QIVDlgRowList::UserSelect(const std::vector<int>& positions) {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  std::vector<int> rows;
  rows.reserve(positions.size());
  for (int position : positions) {
    if (position < 0 || position >= GetRowCount()) return Refuse("has no row " + std::to_string(position));
    rows.push_back(RowAt(position));
  }
  SetSelect(rows, 1);
  return QIVUserEventResult::Done();
}

QIVUserEventResult QIVDlgRowList::UserActivate(int position) {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  if (position < 0 || position >= GetRowCount()) return Refuse("has no row " + std::to_string(position));
  QIVBaseUnknown_var keepAlive(this);
  std::vector<int> row{RowAt(position)};
  if (!SelectionIs(row)) SetSelect(row, 1);
  SendNotification(QIVNotificationKind::Activate);
  return QIVUserEventResult::Done();
}

void QIVDlgRowList::DescribeRows(std::string& line, const char* key, bool cellLists) const {
  std::vector<int> positionOfRow(_rows.size());
  line += std::string(" ") + key + "=[";
  for (int position = 0; position < GetRowCount(); ++position) {
    int row = RowAt(position);
    positionOfRow[row] = position;
    if (position) line += ",";
    if (cellLists) {
      line += QuoteList(_rows[row]);
    } else {
      line += Quote(_rows[row].empty() ? std::string_view() : _rows[row].front().view());
    }
  }
  line += "] selected=[";
  for (std::size_t i = 0; i < _selection.size(); ++i) {
    line += (i ? "," : "") + std::to_string(positionOfRow[_selection[i]]);
  }
  line += "]";
}
