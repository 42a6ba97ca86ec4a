#pragma once

#include <vector>

#include "QIVDlgDialog.h"
#include "QIVListVal.h"
#include "QIVPointerSet.h"

class QIVDlgEditor;
class QIVDlgMultiList;

// The feature groups (joint bodies) below a picked BIW feature, each with
// an on/off switch that a double click flips. Apply (the OK button) and
// Close go to the command, which shows the identifiers of the groups
// switched on and hides the others'.
class ZELVekBIWShowWeldIDDlg : public QIVDlgDialog {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  // On the application's main window.
  ZELVekBIWShowWeldIDDlg();
  ~ZELVekBIWShowWeldIDDlg() override;

  const char* GetImplClassName() const override { return "ZELVekBIWShowWeldIDDlg"; }

  void Build();
  // Double click: flips the switch of each selected row.
  void WhenListActivated(QIVCommand* sender, const QIVNotification& notification, void* data);
  // Adds the group's row, switched off.
  void UpdateListOfFeatureGroup(const QIVBaseUnknown_var& group);
  // The listed groups, in row order.
  const List& GetListOfFeatures() const { return _groups; }
  // Names the picked feature.
  void SetSelectedBIWFeature(const QIVBaseUnknown_var& feature);
  // Lists the group unless it is listed already.
  void SetBIWFeature(const QIVBaseUnknown_var& group);
  // The switch of each row, 1 for on.
  const std::vector<int>& GetTab() const { return _switches; }

 private:
  QIVUnicodeString SwitchText(int flag) const;

  QIVDlgEditor* _pEditorSelected = nullptr;
  QIVDlgMultiList* _pMultiList = nullptr;
  List _groups;
  QIVPointerSet<const QIVBaseUnknown*> _listed;
  std::vector<int> _switches;
};
