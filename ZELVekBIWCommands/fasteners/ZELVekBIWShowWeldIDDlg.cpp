#include "ZELVekBIWShowWeldIDDlg.h"

#include "QIVApplicationFrame.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgMultiList.h"
#include "QIVIAlias.h"
#include "QIVMsgCatalog.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWShowWeldIDDlg";
constexpr int kOn = 1;
constexpr int kOff = 0;

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}

QIVUnicodeString AliasOf(const QIVBaseUnknown_var& feature) {
  const QIVIAlias_var alias(feature);
  return alias ? alias->GetAlias() : QIVUnicodeString();
}
}  // namespace

ZELVekBIWShowWeldIDDlg::ZELVekBIWShowWeldIDDlg()
    : QIVDlgDialog(
          QIVApplicationFrame::GetFrame() ? QIVApplicationFrame::GetFrame()->GetMainWindow() : nullptr,
          "InfoWeldDlg", 0) {
  SetTitle(Caption("Title", "Show Fastener Identifiers"));
}

ZELVekBIWShowWeldIDDlg::~ZELVekBIWShowWeldIDDlg() = default;

void ZELVekBIWShowWeldIDDlg::Build() {
  ZELTraceScope scope(kClass, "Build");
  if (_pMultiList) return;
  SetButtonTitle(QIVNotificationKind::OK, Caption("OKTitleId", "Apply"));
  SetButtonTitle(QIVNotificationKind::Cancel, Caption("CancelTitleId", "Close"));
  QIVDlgFrame* frame = new QIVDlgFrame(this, "FrameLeftId");
  frame->SetGridConstraints(0, 0);
  auto* label = new QIVDlgLabel(frame, "SelectedFeatureGroupId");
  label->SetTitle(Caption("SelectedFeatureGroupId.Title", "Selected feature:"));
  label->SetGridConstraints(0, 0);
  _pEditorSelected = new QIVDlgEditor(frame, "EditorSelectedProductId", ZELVekBIWStyle::ReadOnlyEditor);
  _pEditorSelected->SetGridConstraints(0, 1);
  _pMultiList = new QIVDlgMultiList(frame, "MultiListId", ZELVekBIWStyle::MultipleSelection);
  _pMultiList->SetGridConstraints(1, 0, 1, 2);
  _pMultiList->SetColumnTitle(0, Caption("Column1", "FeatureGroup(s)"));
  _pMultiList->SetColumnTitle(1, Caption("Column2", "Switch"));
  AddAnalyseNotificationCB(_pMultiList, GetListActivateNotification(),
                           &ZELVekBIWShowWeldIDDlg::WhenListActivated);
}

QIVUnicodeString ZELVekBIWShowWeldIDDlg::SwitchText(int flag) const {
  return flag == kOn ? Caption("ApprovedId", "Yes") : Caption("DisapprovedId", "No");
}

void ZELVekBIWShowWeldIDDlg::WhenListActivated(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "WhenListActivated");
  for (int row : _pMultiList->GetSelect()) {
    if (row < 0 || row >= static_cast<int>(_switches.size())) continue;
    _switches[row] = _switches[row] == kOn ? kOff : kOn;
    _pMultiList->SetCell(row, 1, SwitchText(_switches[row]));
  }
  _pMultiList->ClearSelect();
}

void ZELVekBIWShowWeldIDDlg::UpdateListOfFeatureGroup(const QIVBaseUnknown_var& group) {
  _groups.Append(group);
  _switches.push_back(kOff);
  _pMultiList->AddRow({AliasOf(group), SwitchText(kOff)});
}

void ZELVekBIWShowWeldIDDlg::SetSelectedBIWFeature(const QIVBaseUnknown_var& feature) {
  _pEditorSelected->SetText(AliasOf(feature));
}

void ZELVekBIWShowWeldIDDlg::SetBIWFeature(const QIVBaseUnknown_var& group) {
  if (group && _listed.insert(group.Identity())) UpdateListOfFeatureGroup(group);
}
