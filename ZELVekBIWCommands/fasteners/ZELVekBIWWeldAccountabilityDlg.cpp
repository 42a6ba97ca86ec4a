#include "ZELVekBIWWeldAccountabilityDlg.h"

#include <string>

#include "QIVApplicationFrame.h"
#include "QIVDlgCombo.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgRadioButton.h"
#include "QIVMsgCatalog.h"
#include "assignment/ZELVekBIWAssignWeldDlg.h"
#include "assignment/ZELVekBIWWeldAccountability.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELCatalogMessageArray.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWWeldAccountabilityDlg";
using Report = ZELVekBIWWeldAccountability;

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}

QIVUnicodeString TitleOf(const char* widget, const char* text) {
  return Caption((std::string(widget) + ".Title").c_str(), text);
}
}  // namespace

ZELVekBIWWeldAccountabilityDlg::ZELVekBIWWeldAccountabilityDlg()
    : QIVDlgDialog(
          QIVApplicationFrame::GetFrame() ? QIVApplicationFrame::GetFrame()->GetMainWindow() : nullptr,
          "ZELVekBIWWeldAccountabilityDlg", 0) {
  SetTitle(Caption("Title", "Weld Accountability"));
}

ZELVekBIWWeldAccountabilityDlg::~ZELVekBIWWeldAccountabilityDlg() = default;

void ZELVekBIWWeldAccountabilityDlg::Build() {
  ZELTraceScope scope(kClass, "Build");
  if (_pMultiList) return;
  using D = ZELVekBIWWeldAccountabilityDlg;
  SetButtonTitle(QIVNotificationKind::Cancel, Caption("BCancel", "Close"));

  QIVDlgFrame* frame = new QIVDlgFrame(this, "Frame004Id");
  QIVDlgFrame* source = new QIVDlgFrame(frame, "FrameWeldsOptionId");
  source->SetGridConstraints(0, 0);
  _pRadioSelectedProduct = new QIVDlgRadioButton(source, "rbSelectedProdId");
  _pRadioSelectedProduct->SetTitle(TitleOf("rbSelectedProdId", "Selected product"));
  _pRadioAllProducts = new QIVDlgRadioButton(source, "rbAllProductsId");
  _pRadioAllProducts->SetTitle(TitleOf("rbAllProductsId", "All products"));
  _pRadioAllProducts->SetGridConstraints(0, 1);
  _pRadioAllProducts->SetState(true);
  auto* optionLabel = new QIVDlgLabel(frame, "lblOptionId");
  optionLabel->SetTitle(TitleOf("lblOptionId", "Show:"));
  optionLabel->SetGridConstraints(1, 0);
  _pOptionCombo = new QIVDlgCombo(frame, "OptionComboId");
  _pOptionCombo->SetGridConstraints(1, 1);
  for (const QIVUnicodeString& line : ZELCatalogMessageArray(
           kClass, "Frame004Id.OptionComboId.Array",
           {"All fasteners", "Assigned fasteners", "Not assigned fasteners", "Multi-assigned fasteners"}))
    _pOptionCombo->SetLine(line);
  _pOptionCombo->SetSelect(Report::AllWelds);

  _pMultiList = new QIVDlgMultiList(frame, "WeldActMultiListId");
  _pMultiList->SetGridConstraints(2, 0, 1, 2);
  static constexpr int kWidths[] = {5, 7, 7, 20};
  for (int column = 0; column < 4; ++column) {
    const std::string key = "Frame004Id.WeldActMultiListId.ColumnTitle" + std::to_string(column);
    _pMultiList->SetColumnTitle(column, Caption(key.c_str(), ""));
    _pMultiList->SetColumnVisibility(column, true);
    _pMultiList->SetColumnTextWidth(column, kWidths[column]);
    _pMultiList->SetColumnSortOrder(column,
                                    column == 0 ? QIVDlgMultiList::NumericSort : QIVDlgMultiList::TextSort);
  }

  auto* countLabel = new QIVDlgLabel(frame, "lblNoOfWeldsId");
  countLabel->SetTitle(TitleOf("lblNoOfWeldsId", "Fasteners"));
  countLabel->SetGridConstraints(3, 0);
  auto* count = new QIVDlgEditor(frame, "EdtWeldsAvblId", QIVDlgEditor::ReadOnlyStyle);
  count->SetGridConstraints(3, 1);
  auto* filterLabel = new QIVDlgLabel(frame, "lblWeldsFilterTitleId");
  filterLabel->SetGridConstraints(4, 0);
  auto* filtered = new QIVDlgEditor(frame, "EdtWeldsAssignedId", QIVDlgEditor::ReadOnlyStyle);
  filtered->SetGridConstraints(4, 1);

  _report = std::make_unique<Report>(
      Report::Widgets{_pMultiList,
                      count,
                      filterLabel,
                      filtered,
                      {_pRadioSelectedProduct, _pRadioAllProducts, optionLabel, _pOptionCombo, _pMultiList,
                       countLabel, count, filterLabel, filtered}},
      Report::Texts{Caption("NoneTitleId", "None"), Caption("LabelAssignedId", "Fasteners Assigned"),
                    Caption("LabelNotAssignedId", "Fasteners not Assigned"),
                    Caption("LabelMultiAssignedId", "Fasteners Multi-Assigned")},
      Report::Form::WeldReport);

  AddAnalyseNotificationCB(_pRadioAllProducts, GetRadBModifyNotification(), &D::SelectedAllProd);
  AddAnalyseNotificationCB(_pRadioSelectedProduct, GetRadBModifyNotification(), &D::SelectedOneProduct);
  AddAnalyseNotificationCB(_pOptionCombo, GetComboSelectNotification(), &D::WhenComboBoxOptionModified);
  UpdateAccountabilityDisplay(false);
}

void ZELVekBIWWeldAccountabilityDlg::SetCurrentProduct(const QIVBaseUnknown_var& product) {
  ZELTraceScope scope(kClass, "SetCurrentProduct");
  if (!product) {
    ZELTraceLine("ipiProduct is NULL");
    return;
  }
  _currentProduct = product;
  UpdateAccountabilityDisplay(true);
}

void ZELVekBIWWeldAccountabilityDlg::UpdateAccountabilityDisplay(bool reload) {
  ZELTraceScope scope(kClass, "UpdateAccountabilityDisplay");
  if (reload) _pListOfWeldsFromProduct.reset();
  ReportingOptionsForDisplay(_pOptionCombo->GetSelect());
}

void ZELVekBIWWeldAccountabilityDlg::ReportingOptionsForDisplay(int option) {
  switch (option) {
    case Report::AssignedWelds:
      return DisplayOptionAssignedWelds();
    case Report::UnassignedWelds:
      return DisplayOptionUnAssignedWelds();
    case Report::MultiAssignedWelds:
      return DisplayOptionMultiAssignedWelds();
    default:
      return DisplayOptionAllWelds();
  }
}

void ZELVekBIWWeldAccountabilityDlg::DisplayOptionAllWelds() { Display(Report::AllWelds); }
void ZELVekBIWWeldAccountabilityDlg::DisplayOptionAssignedWelds() { Display(Report::AssignedWelds); }
void ZELVekBIWWeldAccountabilityDlg::DisplayOptionUnAssignedWelds() { Display(Report::UnassignedWelds); }
void ZELVekBIWWeldAccountabilityDlg::DisplayOptionMultiAssignedWelds() {
  Display(Report::MultiAssignedWelds);
}

void ZELVekBIWWeldAccountabilityDlg::Display(int option) {
  const bool oneProduct = _pRadioSelectedProduct->GetState();
  List* source = oneProduct ? GetListOfAllWeldsFromProduct() : GetListOfAllWeld();
  if (!source)
    ZELTraceLine(oneProduct ? "_pListOfWeldsFromProduct is NULL" : "_pListOfWeldsFromAllProd is NULL");
  _report->Report(source, option);
}

ZELVekBIWWeldAccountabilityDlg::List* ZELVekBIWWeldAccountabilityDlg::GetListOfAllWeldsFromProduct() {
  if (!_pListOfWeldsFromProduct && _currentProduct) {
    auto fasteners = std::make_unique<List>();
    if (ZELVekBIWAssignWeldDlg::GetListOfAllWeldsFromProduct(QIVBaseUnknown_var(_currentProduct), *fasteners))
      _pListOfWeldsFromProduct = std::move(fasteners);
  }
  return _pListOfWeldsFromProduct.get();
}

ZELVekBIWWeldAccountabilityDlg::List* ZELVekBIWWeldAccountabilityDlg::GetListOfAllWeld() {
  if (!_pListOfWeldsFromAllProd) {
    auto fasteners = std::make_unique<List>();
    Report::ListAllFasteners(*fasteners);
    if (fasteners->IsEmpty()) return nullptr;
    _pListOfWeldsFromAllProd = std::move(fasteners);
  }
  return _pListOfWeldsFromAllProd.get();
}

void ZELVekBIWWeldAccountabilityDlg::SelectedAllProd(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "SelectedAllProd");
  UpdateAccountabilityDisplay(false);
}

void ZELVekBIWWeldAccountabilityDlg::SelectedOneProduct(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "SelectedOneProduct");
  UpdateAccountabilityDisplay(false);
}

void ZELVekBIWWeldAccountabilityDlg::WhenComboBoxOptionModified(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenComboBoxOptionModified");
  ReportingOptionsForDisplay(_pOptionCombo->GetSelect());
}
