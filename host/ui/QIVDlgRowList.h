#pragma once

#include <vector>

#include "QIVDialog.h"

// What selector lists and multi-column lists share: rows of cells and a
// selection of several rows. Rows are numbered from 0 in the order they
// were added; a list may show them in another order (a sorted column), and
// a person's events name rows by the position they are shown at.
class QIVDlgRowList : public QIVDialog {
 public:
  int GetRowCount() const { return static_cast<int>(_rows.size()); }
  // Removes every row and the selection.
  void ClearLine();
  void RemoveRow(int row);

  // Replaces the selection, keeping the given order; rows out of range are
  // left out. Emits Select when `notify` is set.
  void SetSelect(const std::vector<int>& rows, int notify = 0);
  void SetRowSelected(int row, bool selected, int notify = 0);
  void ClearSelect(int notify = 0) { SetSelect({}, notify); }
  // The selected rows, in the order they were selected.
  const std::vector<int>& GetSelect() const { return _selection; }
  int GetSelectCount() const { return static_cast<int>(_selection.size()); }
  bool IsSelected(int row) const { return row >= 0 && row < GetRowCount() && _selectedMask[row]; }

  // The row shown at `position`, -1 out of range.
  int GetRowShownAt(int position) const {
    return position >= 0 && position < GetRowCount() ? RowAt(position) : -1;
  }

  // A person selects the rows shown at these positions (none clears the
  // selection): emits Select.
  QIVUserEventResult UserSelect(const std::vector<int>& positions);
  // A person double-clicks the row shown at `position`: it becomes the
  // selection (Select when that changed it), then Activate.
  QIVUserEventResult UserActivate(int position);

 protected:
  QIVDlgRowList(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style)
      : QIVDialog(parent, name, style) {}

  int AppendRow(std::vector<QIVUnicodeString> cells);
  // Replaces every row and clears the selection.
  void ReplaceRows(std::vector<std::vector<QIVUnicodeString>> rows);
  std::vector<QIVUnicodeString>& RowCells(int row) { return _rows[row]; }
  const std::vector<QIVUnicodeString>& RowCells(int row) const { return _rows[row]; }

  // The row shown at `position`.
  virtual int RowAt(int position) const { return position; }
  // Told after rows were added, removed or changed.
  virtual void RowsChanged() {}

  // Appends " <key>=[...]" with the rows in shown order (one cell each, or
  // a list of cells each) and " selected=[...]" with shown positions.
  void DescribeRows(std::string& line, const char* key, bool cellLists) const;

 private:
  bool SelectionIs(const std::vector<int>& rows) const { return rows == _selection; }

  std::vector<std::vector<QIVUnicodeString>> _rows;
  std::vector<int> _selection;
  std::vector<char> _selectedMask;
};
