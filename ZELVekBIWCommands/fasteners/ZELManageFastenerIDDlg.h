#pragma once

#include <vector>

#include "QIVDlgDialog.h"
#include "QIVListVal.h"
#include "QIVPathElement.h"
#include "QIVPointerMap.h"

class QIVDlgCheckButton;
class QIVDlgMultiList;
class QIVDlgPushButton;
class ZELVekBIWCatalogBrowserDlg;

// The list of fasteners whose identifiers the planner wants to show: one
// row a fastener (number, name, process type), each fastener once, filled
// from picks through the command. The planner selects rows (all, by a
// catalogue query, by hand), removes rows, and shows the identifiers of
// the selected fasteners in the view. The selection is mirrored in the
// editor's current selection.
//
// The dialog's place, size and the recursive box are kept in the settings
// repository "ZELVekBIWSettings" between runs.
class ZELManageFastenerIDDlg : public QIVDlgDialog {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  // Where the dialog stands on the screen and how large it is, in pixels.
  // Headless nothing is placed; the planner's last choice is kept between
  // runs all the same.
  struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
  };

  // On the application's main window.
  ZELManageFastenerIDDlg();
  ~ZELManageFastenerIDDlg() override;

  const char* GetImplClassName() const override { return "ZELManageFastenerIDDlg"; }

  // Makes the widgets and restores the settings.
  void Build();
  // Lists the fasteners not listed yet, then selects the rows of all of
  // them.
  void AppendFastenerList(const List& fasteners);
  bool IsRecursive() const;
  void SetRectDimensions(const Rect& rect) { _rect = rect; }
  const Rect& GetRectDimensions() const { return _rect; }
  static HRESULT BuildPathForFastener(QIVPathElement_var& path, const QIVBaseUnknown_var& fastener);
  // Writes the place, size and recursive box into the settings repository
  // and saves it.
  void SaveSettings();

  // Callbacks.
  void OnSelection(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnSelectAllClicked(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnRemoveSelectedClicked(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnDisplaySelectedClicked(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnFilterClicked(QIVCommand* sender, const QIVNotification& notification, void* data);
  void UpdateFilteredProductList(QIVCommand* sender, const QIVNotification& notification, void* data);

  const List& GetFasteners() const { return _fasteners; }
  // The fasteners of the selected rows, in row order.
  List SelectedFasteners() const;
  QIVDlgMultiList* GetList() const { return _pMultiList; }

 private:
  void SetRowSelection(const std::vector<int>& rows);
  // The current selection holds the selected rows' fasteners; the buttons
  // that act on them are sensitive when some are selected.
  void MirrorSelection();
  void SetActionsSensitive(bool sensitive);

  QIVDlgCheckButton* _pCheckCollect = nullptr;
  QIVDlgMultiList* _pMultiList = nullptr;
  QIVDlgPushButton* _pSelectAll = nullptr;
  QIVDlgPushButton* _pRemoveSelected = nullptr;
  QIVDlgPushButton* _pDisplaySelected = nullptr;
  QIVDlgPushButton* _pFilter = nullptr;
  ZELVekBIWCatalogBrowserDlg* _pCatalogBrowser = nullptr;

  // Row i shows entry i+1; the map gives each listed fastener's row.
  List _fasteners;
  QIVPointerMap<const QIVBaseUnknown*> _rowOf;
  Rect _rect;
};
