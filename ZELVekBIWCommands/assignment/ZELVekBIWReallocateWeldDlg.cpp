#include "ZELVekBIWReallocateWeldDlg.h"

#include "QIVApplicationFrame.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgTabContainer.h"
#include "QIVDlgTabPage.h"
#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVMsgCatalog.h"
#include "QIVPathElement.h"
#include "ZELBIWCmdTrace.h"
#include "ZELEnvironmentSwitches.h"
#include "ZELFastenerDisplay.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWReallocateWeldDlg";

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}
}  // namespace

ZELVekBIWReallocateWeldDlg::ZELVekBIWReallocateWeldDlg()
    : QIVDlgDialog(
          QIVApplicationFrame::GetFrame() ? QIVApplicationFrame::GetFrame()->GetMainWindow() : nullptr,
          "ReallocateWeldDlgId", 0) {
  SetTitle(Caption("Title", "Reallocate Fasteners"));
}

ZELVekBIWReallocateWeldDlg::~ZELVekBIWReallocateWeldDlg() = default;

void ZELVekBIWReallocateWeldDlg::Build() {
  ZELTraceScope scope(kClass, "Build");
  if (_pTabContainer) return;
  _pTabContainer = new QIVDlgTabContainer(this, "TabContainerId");
  _pTabContainer->SetGridConstraints(0, 0);
  _pTabPageDelivery = new QIVDlgTabPage(_pTabContainer, "TabPageDeliveryId");
  _pTabPageDelivery->SetTitle(Caption("TabPageDeliveryId.Title", "Fasteners"));
  _pTabContainer->SetSelectedPage(_pTabPageDelivery);
  _pDeliveryFrame = new QIVDlgFrame(_pTabPageDelivery, "DeliveryFrameId", ZELVekBIWStyle::Frame);
  _pDeliveryFrame->SetGridConstraints(0, 0);

  _pList = new QIVDlgMultiList(_pDeliveryFrame, "ListAssignedWeldId", ZELVekBIWStyle::MultipleSelection);
  _pList->SetColumnTitles({Caption("Column1", "Fastener Name"), Caption("Column2", "Process Type")});
  _pList->SetColumnTextWidth(0, 20);
  _pList->SetColumnTextWidth(1, 15);
  _pList->SetVisibleTextHeight(10);
  _pList->SetGridConstraints(0, 0, 1, 2);
  _pLabelNumber = new QIVDlgLabel(_pDeliveryFrame, "LabelNumberId");
  _pLabelNumber->SetTitle(Caption("LabelNumberId.Title", "Number of fasteners:"));
  _pLabelNumber->SetGridConstraints(1, 0);
  _pEditorNumber = new QIVDlgEditor(_pDeliveryFrame, "EditorNumberId", ZELVekBIWStyle::ReadOnlyNumberEditor);
  _pEditorNumber->SetGridConstraints(1, 1);
  _pEditorNumber->SetText("0");

  SetButtonTitle(GetDiaCANCELNotification(), Caption("CANCELtitleId", "Close"));
  SetButtonSensitivity(GetDiaOKNotification(), QIVDlgDisable);
  SetButtonSensitivity(GetDiaAPPLYNotification(), QIVDlgDisable);
  AddAnalyseNotificationCB(_pList, GetListSelectNotification(), &ZELVekBIWReallocateWeldDlg::WhenClick);
}

void ZELVekBIWReallocateWeldDlg::WhenClick(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenClick");
  AddSelectedWeldsToAssignList(_pList->GetSelect(), _pList->GetSelectCount());
  UpdateCSO();
}

void ZELVekBIWReallocateWeldDlg::AddSelectedWeldsToAssignList(const std::vector<int>& rows, int count) {
  ZELTraceScope scope(kClass, "AddSelectedWeldsToAssignList");
  List fasteners;
  for (int i = 0; i < count && i < static_cast<int>(rows.size()); ++i)
    if (rows[i] >= 0 && rows[i] < _listed.Size()) fasteners.Append(_listed[rows[i] + 1]);
  SetSelectedWelds(fasteners, false);
}

void ZELVekBIWReallocateWeldDlg::UpdateList(const List* fasteners) {
  ZELTraceScope scope(kClass, "UpdateList");
  List listed;
  if (fasteners) {
    listed = *fasteners;
    if (!ZELEnvironmentSwitches::KeepsGatheringOrder() && !listed.IsEmpty())
      ZELFastenerServices::QuickSort("Fastener", listed);
  }
  if (_pEditorNumber) _pEditorNumber->SetText(QIVUnicodeString().BuildFromNum(listed.Size(), "%d"));
  if (fasteners && GetVisibility() != QIVDlgShow) SetVisibility(QIVDlgShow);
  SetListOfWeldsAssigned(listed);
}

void ZELVekBIWReallocateWeldDlg::SetListOfWeldsAssigned(const List& fasteners) {
  _selected.RemoveAll();
  _selectedSet.clear();
  _listed.RemoveAll();
  _rowOf.clear();
  if (_pList) _pList->ClearLine();
  for (const QIVBaseUnknown_var& fastener : fasteners) {
    const QIVIAlias_var alias(fastener);
    if (!alias || !_rowOf.emplace(fastener.Identity(), _listed.Size()).second) continue;
    _listed.Append(fastener);
    const ZELIBIWFastener_var typed(fastener);
    if (_pList) _pList->AddRow({alias->GetAlias(), typed ? typed->GetType() : QIVUnicodeString()});
  }
}

void ZELVekBIWReallocateWeldDlg::SetSelectedWelds(const List& fasteners, bool toggle) {
  ZELTraceScope scope(kClass, "SetSelectedWelds");
  if (!toggle) {
    _selected.RemoveAll();
    _selectedSet.clear();
  }
  std::unordered_set<const void*> deselected;
  for (const QIVBaseUnknown_var& fastener : fasteners) {
    if (!fastener) continue;
    if (_selectedSet.insert(fastener.Identity()).second) {
      _selected.Append(fastener);
    } else if (toggle) {
      _selectedSet.erase(fastener.Identity());
      deselected.insert(fastener.Identity());
    }
  }
  if (!deselected.empty())
    std::erase_if(_selected.Items(),
                  [&](const QIVBaseUnknown_var& held) { return deselected.count(held.Identity()); });
}

void ZELVekBIWReallocateWeldDlg::UpdateCSO() {
  ZELTraceScope scope(kClass, "UpdateCSO");
  std::vector<int> rows;
  for (const QIVBaseUnknown_var& fastener : _selected)
    if (const int row = RowOf(fastener); row >= 0) rows.push_back(row);
  if (_pList) _pList->SetSelect(rows);
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor) return;
  editor->GetCSO()->Empty();
  for (const QIVBaseUnknown_var& fastener : _selected)
    editor->GetCSO()->AddElement(QIVMake<QIVPathElement>(fastener.get()).get());
}

void ZELVekBIWReallocateWeldDlg::DeactivateListWeldVisualization() {
  ZELTraceScope scope(kClass, "DeactivateListWeldVisualization");
  ZELFastenerDisplay::DeactivateListWeldVisualization();
}

int ZELVekBIWReallocateWeldDlg::RowOf(const QIVBaseUnknown_var& fastener) const {
  const auto found = _rowOf.find(fastener.Identity());
  return found == _rowOf.end() ? -1 : found->second;
}
