#pragma once

#include <vector>

#include "QIVDlgDialog.h"
#include "QIVListVal.h"

class QIVDlgEditor;
class QIVDlgFrame;
class QIVDlgLabel;
class QIVDlgMultiList;
class QIVDlgPushButton;
class ZELVekPreviewWindowManagerCmd;

// The preview command's dialog: the products shown, with their count and
// Remove; the fasteners between them (row, name, process type, state icon,
// why it may not go to the activity), their count, the current activity
// and Assign. What the planner does in it goes to the command.
class ZELVekPreviewWindowManagerDlg : public QIVDlgDialog {
 public:
  explicit ZELVekPreviewWindowManagerDlg(ZELVekPreviewWindowManagerCmd* command);
  ~ZELVekPreviewWindowManagerDlg() override;

  const char* GetImplClassName() const override { return "ZELVekPreviewWindowManagerDlg"; }

  void Build();
  // The products' list: rebuilt, or one product appended.
  void UpdateList(const QIVListValQIVBaseUnknown_var& products);
  void AppendToProductsList(const QIVBaseUnknown_var& product);
  void RemoveSelectedProductsFromList();
  void SetProductSelectedInList(const std::vector<int>& rows);
  void SetWeldSelectedInList(const std::vector<int>& rows);
  // Rebuilds the fasteners' list, one row per entry of the parallel lists.
  void UpdateWeldsList(int count, const std::vector<int>& rowNumbers, const QIVListValQIVUnicodeString& names,
                       const QIVListValQIVUnicodeString& texts, const std::vector<bool>& valid,
                       const QIVListValQIVUnicodeString& descriptions);
  void ClearAllProductSelection();
  void ClearAllWeldSelection();
  void SetActivityLabel(const QIVUnicodeString& text);

  void ProductSelectedInList(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WeldSelectedInList(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnRemovePushButtonActivated(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnAssignPushButtonActivated(QIVCommand* sender, const QIVNotification& notification, void* data);

  QIVDlgMultiList* GetProductsList() const { return _pProducts; }
  QIVDlgMultiList* GetWeldsList() const { return _pWelds; }

 private:
  ZELVekPreviewWindowManagerCmd* _pCommand;
  QIVDlgMultiList* _pProducts = nullptr;
  QIVDlgEditor* _pProductCount = nullptr;
  QIVDlgPushButton* _pRemove = nullptr;
  QIVDlgMultiList* _pWelds = nullptr;
  QIVDlgEditor* _pWeldCount = nullptr;
  QIVDlgEditor* _pActivity = nullptr;
  QIVDlgPushButton* _pAssign = nullptr;
};
