#pragma once

#include <memory>

#include "QIVDlgDialog.h"
#include "QIVIProduct.h"
#include "QIVListVal.h"

class QIVDlgCombo;
class QIVDlgEditor;
class QIVDlgLabel;
class QIVDlgMultiList;
class QIVDlgRadioButton;
class ZELVekBIWWeldAccountability;

// The weld report: for the fasteners of the picked product, or of all
// products, the activities each is assigned to (in this document and in
// the plant's other documents), kept by an option: all, assigned, not
// assigned, assigned more than once. Column 0 gives each fastener's
// position among the fasteners sorted by identifier, whatever the option.
// Close and the window's close box go to the command.
class ZELVekBIWWeldAccountabilityDlg : public QIVDlgDialog {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  // On the application's main window.
  ZELVekBIWWeldAccountabilityDlg();
  ~ZELVekBIWWeldAccountabilityDlg() override;

  const char* GetImplClassName() const override { return "ZELVekBIWWeldAccountabilityDlg"; }

  // Makes the widgets and reports on all products.
  void Build();
  // The picked product becomes current and the report is made again; a
  // null product changes nothing.
  void SetCurrentProduct(const QIVBaseUnknown_var& product);
  // Reports on the source the radio buttons choose; `reload` reads the
  // current product's fasteners again.
  void UpdateAccountabilityDisplay(bool reload);
  void ReportingOptionsForDisplay(int option);
  void DisplayOptionAllWelds();
  void DisplayOptionAssignedWelds();
  void DisplayOptionUnAssignedWelds();
  void DisplayOptionMultiAssignedWelds();
  // The lists, each read on first need and kept for the run: null when
  // there is no current product or it has no fastener.
  List* GetListOfAllWeldsFromProduct();
  List* GetListOfAllWeld();

  // Callbacks.
  void SelectedAllProd(QIVCommand* sender, const QIVNotification& notification, void* data);
  void SelectedOneProduct(QIVCommand* sender, const QIVNotification& notification, void* data);
  void WhenComboBoxOptionModified(QIVCommand* sender, const QIVNotification& notification, void* data);

  QIVDlgMultiList* GetList() const { return _pMultiList; }

 private:
  // The report of `option` on the chosen source.
  void Display(int option);

  QIVDlgRadioButton* _pRadioSelectedProduct = nullptr;
  QIVDlgRadioButton* _pRadioAllProducts = nullptr;
  QIVDlgCombo* _pOptionCombo = nullptr;
  QIVDlgMultiList* _pMultiList = nullptr;
  std::unique_ptr<ZELVekBIWWeldAccountability> _report;

  QIVIProduct_var _currentProduct;
  std::unique_ptr<List> _pListOfWeldsFromProduct;
  std::unique_ptr<List> _pListOfWeldsFromAllProd;
};
