#pragma once

#include "QIVDlgDialog.h"

class QIVDlgFrame;
class QIVDlgLabel;
class QIVDlgPushButton;
class QIVDlgSelectorList;

// The lists of the datum and target assignment: on the left what is to be
// assigned (datums, targets, locators), on the right the receiving
// activities, each with a button that takes its selected line out. OK,
// Cancel, Close and the close box go to the command.
class ZELVekBIWAssignDatumAndTargetDlg : public QIVDlgDialog {
 public:
  // A child of the command that shows it.
  explicit ZELVekBIWAssignDatumAndTargetDlg(QIVCommand* command);

  const char* GetImplClassName() const override { return "ZELVekBIWAssignDatumAndTargetDlg"; }

  void Build();
  // Add one line to the list of items or of activities.
  void UpdateItemsList(const QIVUnicodeString& name);
  void UpdateActivitiesList(const QIVUnicodeString& name);

  // The remove buttons: the selected line goes from the list and from the
  // command's lists.
  void RemoveLocators(QIVCommand* sender, const QIVNotification& notification, void* data);
  void RemoveActivities(QIVCommand* sender, const QIVNotification& notification, void* data);

  QIVDlgSelectorList* GetItemsList() const { return _pListLocators; }
  QIVDlgSelectorList* GetActivitiesList() const { return _pListActivities; }

 private:
  // The selected line of the list, taken out; false when none is selected.
  static bool TakeSelectedLine(QIVDlgSelectorList* list, QIVUnicodeString& text);

  QIVDlgFrame* _pFrame = nullptr;
  QIVDlgLabel* _pLabelLocators = nullptr;
  QIVDlgLabel* _pLabelActivities = nullptr;
  QIVDlgSelectorList* _pListLocators = nullptr;
  QIVDlgSelectorList* _pListActivities = nullptr;
  QIVDlgFrame* _pContainer = nullptr;
  QIVDlgPushButton* _pRemoveLocators = nullptr;
  QIVDlgPushButton* _pRemoveActivities = nullptr;
};
