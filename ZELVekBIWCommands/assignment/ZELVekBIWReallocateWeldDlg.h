#pragma once

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "QIVDlgDialog.h"
#include "QIVListVal.h"

class QIVDlgEditor;
class QIVDlgFrame;
class QIVDlgLabel;
class QIVDlgMultiList;
class QIVDlgTabContainer;
class QIVDlgTabPage;

// The reallocation's list of the origin's fasteners (name, process type)
// with their count. The planner selects in it, or picks in the view
// (through the command); the selection is kept here, in selection order,
// and mirrored in the editor's current selection. Close and the window's
// close box go to the command.
class ZELVekBIWReallocateWeldDlg : public QIVDlgDialog {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  ZELVekBIWReallocateWeldDlg();
  ~ZELVekBIWReallocateWeldDlg() override;

  const char* GetImplClassName() const override { return "ZELVekBIWReallocateWeldDlg"; }

  void Build();
  // List selection: the selected rows' fasteners become the selection.
  void WhenClick(QIVCommand* sender, const QIVNotification& notification, void* data);
  void AddSelectedWeldsToAssignList(const std::vector<int>& rows, int count);
  // Lists the fasteners (by identifier unless the gathering order is
  // kept), shows their count and the dialog; rows and selection start
  // afresh. Null lists nothing.
  void UpdateList(const List* fasteners);
  const List& GetSelectedWelds() const { return _selected; }
  // With `toggle` a fastener already selected is deselected, else added;
  // without it the fasteners replace the selection.
  void SetSelectedWelds(const List& fasteners, bool toggle);
  // The selection becomes the editor's current selection and the list's.
  void UpdateCSO();
  const List& GetListOfWeldsAssigned() const { return _listed; }
  void SetListOfWeldsAssigned(const List& fasteners);
  void DeactivateListWeldVisualization();

  QIVDlgMultiList* GetList() const { return _pList; }
  QIVDlgEditor* GetCountEditor() const { return _pEditorNumber; }

 private:
  // The row of a listed fastener, -1 for one not listed.
  int RowOf(const QIVBaseUnknown_var& fastener) const;

  QIVDlgTabContainer* _pTabContainer = nullptr;
  QIVDlgTabPage* _pTabPageDelivery = nullptr;
  QIVDlgFrame* _pDeliveryFrame = nullptr;
  QIVDlgMultiList* _pList = nullptr;
  QIVDlgLabel* _pLabelNumber = nullptr;
  QIVDlgEditor* _pEditorNumber = nullptr;
  // Listed fasteners in row order, and each one's row by identity.
  List _listed;
  std::unordered_map<const void*, int> _rowOf;
  List _selected;
  std::unordered_set<const void*> _selectedSet;
};
