#pragma once

#include <vector>

#include "QIVDlgDialog.h"
#include "QIVIProduct.h"
#include "QIVListVal.h"
#include "QIVPointerMap.h"
#include "frame/ZELFileSelectionBox.h"

class QIVDlgEditor;
class QIVDlgFrame;
class QIVDlgLabel;
class QIVDlgPushButton;
class QIVDlgSelectorList;
class QIVXMLStreamWriter;

// The location export dialog: the welds to write, one line each, with
// their count, and the reference product. OK (titled Save) asks for the
// file and writes it; Cancel and the window's close box reach the command.
class ZELVekBIWSaveLocationsInXMLDlg : public QIVDlgDialog {
 public:
  // On the application's main window.
  ZELVekBIWSaveLocationsInXMLDlg();
  ~ZELVekBIWSaveLocationsInXMLDlg() override;

  const char* GetImplClassName() const override { return "ZELVekBIWSaveLocationsInXMLDlg"; }

  void Build();
  // Lists every spot weld of the current editor's document.
  void Init();

  // An empty handle clears the reference product.
  void SetRefProduct(const QIVIProduct_var& product);
  const QIVIProduct_var& GetRefProduct() const { return _refProduct; }

  void AddToWeldsList(const QIVBaseUnknown_var& weld);
  const QIVListValQIVBaseUnknown_var& GetWeldsInList() const { return _welds; }
  // In the order the lines were selected.
  QIVListValQIVBaseUnknown_var GetSelectedWelds() const;
  // E_FAIL when the weld is not in the list.
  HRESULT SetWeldSelectedInList(const QIVBaseUnknown_var& weld, bool selected);
  void ClearAllWeldSelection();

  // Writes the reference product and the listed spot welds to `path`; a
  // failure is told in a box and leaves any previous file as it was.
  HRESULT SaveResult(const QIVUnicodeString& path);

  void OnRemoveWeldsPushButtonActivated(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnRemoveRefProductPushButtonActivated(QIVCommand* sender, const QIVNotification& notification,
                                             void* data);
  void WeldSelectedInList(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnSave(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnSaveDlgOKActivateNotification(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnSaveDlgCANCELActivateNotification(QIVCommand* sender, const QIVNotification& notification,
                                           void* data);

  QIVDlgSelectorList* GetWeldsListSelectorList() const { return _pWeldsListSelectorList; }
  QIVDlgEditor* GetRefProductEditor() const { return _pRefProductEditor; }
  QIVDlgEditor* GetNumberEditor() const { return _pEditorNumber; }
  QIVDlgFile* GetFileDialog() const { return _fileDlg.Get(); }

 private:
  // Replaces the list by `welds`, whose names are already known.
  void FillList(QIVListValQIVBaseUnknown_var welds, std::vector<QIVUnicodeString> names);
  // The row of each listed weld, made on the first lookup: an export of
  // every weld never looks one up.
  const QIVPointerMap<const QIVBaseUnknown*>& RowOfWeld();
  void ShowWeldCount();
  // The selection the command keeps in the current selection set.
  void TellCommandToUpdateCSO();
  HRESULT WriteLocations(QIVXMLStreamWriter& writer, QIVUnicodeString& reason) const;
  void DisplaySaveError(const QIVUnicodeString& reason);

  QIVDlgFrame* _pWeldsListFrame = nullptr;
  QIVDlgSelectorList* _pWeldsListSelectorList = nullptr;
  QIVDlgPushButton* _pRemoveWeldsPushButton = nullptr;
  QIVDlgFrame* _pReferenceProductFrame = nullptr;
  QIVDlgEditor* _pRefProductEditor = nullptr;
  QIVDlgPushButton* _pRemoveRefProductPushButton = nullptr;
  QIVDlgEditor* _pEditorNumber = nullptr;
  QIVListValQIVBaseUnknown_var _welds;
  QIVIProduct_var _refProduct;
  ZELFileSelectionBox _fileDlg;
  QIVDlgFrame* _pNumberFrame = nullptr;
  QIVDlgLabel* _pLabelNumber = nullptr;
  // Row of each listed weld, so that picking among thousands stays quick;
  // empty until RowOfWeld is asked.
  QIVPointerMap<const QIVBaseUnknown*> _rowOfWeld;
};
