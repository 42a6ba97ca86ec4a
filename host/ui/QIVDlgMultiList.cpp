#include "QIVDlgMultiList.h"

#include <algorithm>
#include <numeric>

void QIVDlgMultiList::SetColumnTitles(const std::vector<QIVUnicodeString>& titles) {
  _columns.resize(titles.size());
  for (std::size_t i = 0; i < titles.size(); ++i) _columns[i].title = titles[i];
}

QIVDlgMultiList::Column& QIVDlgMultiList::ColumnAt(int column) {
  if (column < 0) column = 0;
  if (column >= GetColumnCount()) _columns.resize(column + 1);
  return _columns[column];
}

const QIVDlgMultiList::Column& QIVDlgMultiList::GetColumn(int column) const {
  static const Column none;
  if (column >= 0 && column < GetColumnCount()) return _columns[column];
  return _columns.empty() ? none : _columns.front();
}

void QIVDlgMultiList::SetCell(int row, int column, const QIVUnicodeString& text) {
  if (row < 0 || row > GetRowCount() || column < 0) return;
  if (row == GetRowCount()) AppendRow({});
  std::vector<QIVUnicodeString>& cells = RowCells(row);
  if (column >= static_cast<int>(cells.size())) cells.resize(column + 1);
  cells[column] = text;
  RowsChanged();
}

QIVUnicodeString QIVDlgMultiList::GetCell(int row, int column) const {
  if (row < 0 || row >= GetRowCount() || column < 0) return {};
  const std::vector<QIVUnicodeString>& cells = RowCells(row);
  return column < static_cast<int>(cells.size()) ? cells[column] : QIVUnicodeString();
}

void QIVDlgMultiList::SortByColumn(int column, bool ascending) {
  _sortColumn = column;
  _sortAscending = ascending;
  _orderValid = false;
}

QIVUserEventResult QIVDlgMultiList::UserSort(int column, bool ascending) {
  if (QIVUserEventResult check = CheckUserCanAct(); !check) return check;
  if (column < 0 || column >= GetColumnCount()) return Refuse("has no column " + std::to_string(column));
  SortByColumn(column, ascending);
  return QIVUserEventResult::Done();
}

int QIVDlgMultiList::RowAt(int position) const {
  if (_sortColumn < 0) return position;
  if (!_orderValid) BuildOrder();
  return _order[position];
}

void QIVDlgMultiList::BuildOrder() const {
  const int rows = GetRowCount();
  _order.resize(rows);
  std::iota(_order.begin(), _order.end(), 0);

  // Each key is read once: a number when the column sorts numerically and
  // the cell holds one, else its text.
  struct Key {
    bool isNumber = false;
    double number = 0.0;
    QIVUnicodeString text;
  };
  const bool numeric = GetColumn(_sortColumn).sortOrder == NumericSort;
  std::vector<Key> keys(rows);
  for (int row = 0; row < rows; ++row) {
    keys[row].text = GetCell(row, _sortColumn);
    keys[row].isNumber = numeric && keys[row].text.ConvertToNum(&keys[row].number, "%le") == 1;
  }
  const bool ascending = _sortAscending;
  std::stable_sort(_order.begin(), _order.end(), [&keys, ascending](int a, int b) {
    const Key& x = keys[ascending ? a : b];
    const Key& y = keys[ascending ? b : a];
    if (x.isNumber != y.isNumber) return keys[a].isNumber;
    return x.isNumber ? x.number < y.number : x.text < y.text;
  });
  _orderValid = true;
}

void QIVDlgMultiList::DescribeState(std::string& line) const {
  std::vector<QIVUnicodeString> titles;
  for (const Column& column : _columns) titles.push_back(column.title);
  line += " columns=" + QuoteList(titles);
  if (_sortColumn >= 0) line += " sorted=" + std::to_string(_sortColumn) + (_sortAscending ? "+" : "-");
  DescribeRows(line, "rows", true);
}
