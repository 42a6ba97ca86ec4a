#include "ZELVekPreviewWindowManagerDlg.h"

#include <algorithm>
#include <string>

#include "QIVApplicationFrame.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgPushButton.h"
#include "QIVIProduct.h"
#include "QIVMsgCatalog.h"
#include "ZELBIWCmdTrace.h"
#include "ZELIMfgAssembly.h"
#include "ZELVekBIWCommandNumbers.h"
#include "ZELVekPreviewWindowManagerCmd.h"

namespace {
constexpr const char* kClass = "ZELVekPreviewWindowManagerDlg";

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}

QIVUnicodeString ProductName(const QIVBaseUnknown_var& product) {
  if (QIVIProduct_var typed(product); typed) return typed->GetPrdInstanceName();
  if (ZELIMfgAssembly_var assembly(product); assembly) return assembly->GetLabel();
  return QIVUnicodeString();
}

void SetCount(QIVDlgEditor* editor, int count) {
  if (editor) editor->SetText(QIVUnicodeString().BuildFromNum(count, "%d"));
}

QIVDlgFrame* Frame(QIVCommand* parent, const char* name, int row) {
  auto* frame = new QIVDlgFrame(parent, name, ZELVekBIWStyle::Frame);
  frame->SetGridConstraints(row, 0);
  return frame;
}

QIVDlgLabel* Label(QIVCommand* parent, const char* name, const char* text, int row, int column) {
  auto* label = new QIVDlgLabel(parent, name);
  label->SetTitle(Caption((std::string(name) + ".Title").c_str(), text));
  label->SetGridConstraints(row, column);
  return label;
}

QIVDlgEditor* Editor(QIVCommand* parent, const char* name, int row, int column) {
  auto* editor = new QIVDlgEditor(parent, name, ZELVekBIWStyle::ReadOnlyEditor);
  editor->SetSensitivity(QIVDlgDisable);
  editor->SetGridConstraints(row, column);
  return editor;
}
}  // namespace

ZELVekPreviewWindowManagerDlg::ZELVekPreviewWindowManagerDlg(ZELVekPreviewWindowManagerCmd* command)
    : QIVDlgDialog(
          QIVApplicationFrame::GetFrame() ? QIVApplicationFrame::GetFrame()->GetMainWindow() : nullptr,
          kClass, 0),
      _pCommand(command) {
  SetTitle(Caption("Title", "Preview Window Manager"));
}

ZELVekPreviewWindowManagerDlg::~ZELVekPreviewWindowManagerDlg() = default;

void ZELVekPreviewWindowManagerDlg::Build() {
  ZELTraceScope scope(kClass, "Build");
  if (_pProducts) return;
  QIVDlgFrame* products = Frame(this, "pProductSelectionListFrame", 0);
  _pProducts = new QIVDlgMultiList(products, "pSelectorListProducts", ZELVekBIWStyle::MultipleSelection);
  _pProducts->SetColumnTitles({Caption("AvailableProductString", "Products")});
  _pProducts->SetVisibleTextHeight(6);
  _pProducts->SetGridConstraints(0, 0);
  QIVDlgFrame* productCount = Frame(products, "NumProductFrame", 1);
  Label(productCount, "pLabelNumberOfProducts", "Number of products:", 0, 0);
  _pProductCount = Editor(productCount, "pEditorNumberOfProducts", 0, 1);
  _pRemove = new QIVDlgPushButton(productCount, "pRemovePushButton");
  _pRemove->SetTitle(Caption("pRemovePushButton.Title", "Remove"));
  _pRemove->SetGridConstraints(0, 2);

  QIVDlgFrame* welds = Frame(this, "pWeldsSelectionListFrame", 1);
  _pWelds = new QIVDlgMultiList(welds, "pWeldsMultiList", ZELVekBIWStyle::MultipleSelection);
  constexpr const char* kTitles[] = {"No.", "Fastener", "Process Type", "State", "Description"};
  for (int column = 0; column < 5; ++column) {
    const std::string key =
        "pWeldsSelectionListFrame.pWeldsMultiList.ColumnTitle" + std::to_string(column + 1);
    _pWelds->SetColumnTitle(column, Caption(key.c_str(), kTitles[column]));
  }
  _pWelds->SetColumnSortOrder(0, QIVDlgMultiList::NumericSort);
  _pWelds->SetVisibleTextHeight(10);
  _pWelds->SetGridConstraints(0, 0);
  QIVDlgFrame* activity = Frame(welds, "WeldActivityFrame", 1);
  Label(activity, "pLabelNumberOfWelds", "Number of fasteners:", 0, 0);
  _pWeldCount = Editor(activity, "pEditorNumberOfWelds", 0, 1);
  Label(activity, "pSelectActivityLabel", "Activity:", 1, 0);
  _pActivity = Editor(activity, "pSelectActivityEditor", 1, 1);
  _pAssign = new QIVDlgPushButton(activity, "pAssignPushButton");
  _pAssign->SetTitle(Caption("pAssignPushButton.Title", "Assign"));
  _pAssign->SetGridConstraints(1, 2);
  SetCount(_pProductCount, 0);
  SetCount(_pWeldCount, 0);

  SetButtonSensitivity(GetDiaOKNotification(), QIVDlgDisable);
  SetButtonSensitivity(GetDiaCANCELNotification(), QIVDlgDisable);
  SetButtonSensitivity(GetDiaAPPLYNotification(), QIVDlgDisable);
  using D = ZELVekPreviewWindowManagerDlg;
  AddAnalyseNotificationCB(_pProducts, GetListSelectNotification(), &D::ProductSelectedInList);
  AddAnalyseNotificationCB(_pWelds, GetListSelectNotification(), &D::WeldSelectedInList);
  AddAnalyseNotificationCB(_pRemove, GetPushBActivateNotification(), &D::OnRemovePushButtonActivated);
  AddAnalyseNotificationCB(_pAssign, GetPushBActivateNotification(), &D::OnAssignPushButtonActivated);
}

void ZELVekPreviewWindowManagerDlg::UpdateList(const QIVListValQIVBaseUnknown_var& products) {
  if (!_pProducts) return;
  _pProducts->ClearLine();
  for (const QIVBaseUnknown_var& product : products) _pProducts->AddRow({ProductName(product)});
  SetCount(_pProductCount, _pProducts->GetRowCount());
}

void ZELVekPreviewWindowManagerDlg::AppendToProductsList(const QIVBaseUnknown_var& product) {
  if (!_pProducts) return;
  _pProducts->AddRow({ProductName(product)});
  SetCount(_pProductCount, _pProducts->GetRowCount());
}

void ZELVekPreviewWindowManagerDlg::RemoveSelectedProductsFromList() {
  if (!_pProducts) return;
  std::vector<int> rows = _pProducts->GetSelect();
  std::sort(rows.rbegin(), rows.rend());
  for (int row : rows) _pProducts->RemoveRow(row);
  SetCount(_pProductCount, _pProducts->GetRowCount());
}

void ZELVekPreviewWindowManagerDlg::SetProductSelectedInList(const std::vector<int>& rows) {
  if (_pProducts) _pProducts->SetSelect(rows);
}

void ZELVekPreviewWindowManagerDlg::SetWeldSelectedInList(const std::vector<int>& rows) {
  if (_pWelds) _pWelds->SetSelect(rows);
}

void ZELVekPreviewWindowManagerDlg::UpdateWeldsList(int count, const std::vector<int>& rowNumbers,
                                                    const QIVListValQIVUnicodeString& names,
                                                    const QIVListValQIVUnicodeString& texts,
                                                    const std::vector<bool>& valid,
                                                    const QIVListValQIVUnicodeString& descriptions) {
  if (!_pWelds) return;
  _pWelds->ClearLine();
  for (int i = 0; i < count; ++i)
    _pWelds->AddRow({QIVUnicodeString().BuildFromNum(rowNumbers[i], "%d"), names[i + 1], texts[i + 1],
                     valid[i] ? "I_AssignmentOK" : "I_AssignmentKO", descriptions[i + 1]});
  SetCount(_pWeldCount, count);
}

void ZELVekPreviewWindowManagerDlg::ClearAllProductSelection() {
  if (_pProducts) _pProducts->ClearSelect();
}

void ZELVekPreviewWindowManagerDlg::ClearAllWeldSelection() {
  if (_pWelds) _pWelds->ClearSelect();
}

void ZELVekPreviewWindowManagerDlg::SetActivityLabel(const QIVUnicodeString& text) {
  if (_pActivity) _pActivity->SetText(text);
}

void ZELVekPreviewWindowManagerDlg::ProductSelectedInList(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "ProductSelectedInList");
  if (_pCommand) _pCommand->AddSelectedProductsToRemoveList();
}

void ZELVekPreviewWindowManagerDlg::WeldSelectedInList(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WeldSelectedInList");
  // A copy: the command clears the list's selection before it reads it.
  const std::vector<int> rows = _pWelds->GetSelect();
  if (_pCommand) _pCommand->AddSelectedWeldsToAssignList(rows, static_cast<int>(rows.size()));
}

void ZELVekPreviewWindowManagerDlg::OnRemovePushButtonActivated(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnRemovePushButtonActivated");
  if (_pCommand) _pCommand->RemoveProductsFromPreviewWindow();
}

void ZELVekPreviewWindowManagerDlg::OnAssignPushButtonActivated(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnAssignPushButtonActivated");
  if (_pCommand) _pCommand->AssignWeldsToActivity();
}
