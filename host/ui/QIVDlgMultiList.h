#pragma once

#include <vector>

#include "QIVDlgRowList.h"

// A list of rows in titled columns. Sorting a column changes the order the
// rows are shown in, not their numbers: the selection and the cells are
// still read by row number.
class QIVDlgMultiList : public QIVDlgRowList {
 public:
  // Column sort orders.
  static constexpr int TextSort = 0;
  static constexpr int NumericSort = 1;

  struct Column {
    QIVUnicodeString title;
    int textWidth = 0;
    int sortOrder = TextSort;
    bool visible = true;
  };

  QIVDlgMultiList(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDlgRowList(parent, name, style) {}

  // Sets the number of columns and their titles.
  void SetColumnTitles(const std::vector<QIVUnicodeString>& titles);
  int GetColumnCount() const { return static_cast<int>(_columns.size()); }
  // The setters below add columns up to `column` when needed.
  void SetColumnTitle(int column, const QIVUnicodeString& title) { ColumnAt(column).title = title; }
  void SetColumnTextWidth(int column, int characters) { ColumnAt(column).textWidth = characters; }
  void SetColumnSortOrder(int column, int sortOrder) { ColumnAt(column).sortOrder = sortOrder; }
  void SetColumnVisibility(int column, bool visible) { ColumnAt(column).visible = visible; }
  // Column 0's state when `column` is out of range.
  const Column& GetColumn(int column) const;

  // Appends a row; returns its number.
  int AddRow(const std::vector<QIVUnicodeString>& cells) { return AppendRow(cells); }
  // Sets one cell; a `row` equal to the row count appends a row.
  void SetCell(int row, int column, const QIVUnicodeString& text);
  QIVUnicodeString GetCell(int row, int column) const;

  // Shows the rows ordered by a column after its sort order; in a numeric
  // column, texts that are not numbers come after the numbers either way.
  // Equal cells keep row order.
  void SortByColumn(int column, bool ascending = true);
  int GetSortColumn() const { return _sortColumn; }
  QIVUserEventResult UserSort(int column, bool ascending = true);

  const char* GetImplClassName() const override { return "QIVDlgMultiList"; }

 protected:
  const char* KindName() const override { return "multi list"; }
  void DescribeState(std::string& line) const override;
  int RowAt(int position) const override;
  void RowsChanged() override { _orderValid = false; }

 private:
  Column& ColumnAt(int column);
  void BuildOrder() const;

  std::vector<Column> _columns;
  int _sortColumn = -1;
  bool _sortAscending = true;
  mutable std::vector<int> _order;
  mutable bool _orderValid = false;
};
