#pragma once

#include "QIVDlgDialog.h"
#include "QIVListVal.h"

class QIVDlgFrame;
class QIVDlgMultiList;
class QIVDlgPushButton;

// The proposal table of the automatic weld assignment: one row per
// fastener with its row number and the activity it goes to. "Remove" takes
// the selected rows out; OK, Cancel (titled Close) and the close box go to
// the command.
class ZELVekBIWAutoAssignWeldDlg : public QIVDlgDialog {
 public:
  // A child of the command that shows it.
  explicit ZELVekBIWAutoAssignWeldDlg(QIVCommand* command);
  ~ZELVekBIWAutoAssignWeldDlg() override;

  const char* GetImplClassName() const override { return "ZELVekBIWAutoAssignWeldDlg"; }

  void Build();
  // Fills the table: row i gets i (from 1), fastener name i and activity
  // name i. Leaves it as it is when a list is missing or empty, or when
  // their lengths differ.
  void Display(const QIVListValQIVUnicodeString* fastenerNames, const QIVListValQIVUnicodeString* activityNames);
  // Empties the table: Display leaves it as it was when nothing is left to
  // show, and rows of fasteners OK would not assign must not stay.
  void ClearTable();
  // "Remove": hands the selected rows to the command.
  void GetHighlightedObjects(QIVCommand* sender, const QIVNotification& notification, void* data);

  QIVDlgMultiList* GetMultiList() const { return _pMultiList; }
  QIVDlgPushButton* GetRemoveButton() const { return _pRemoveButton; }

 private:
  QIVDlgFrame* _pFrame = nullptr;
  QIVDlgMultiList* _pMultiList = nullptr;
  QIVDlgPushButton* _pRemoveButton = nullptr;
};
