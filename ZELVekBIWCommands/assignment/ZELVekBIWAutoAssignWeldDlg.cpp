#include "ZELVekBIWAutoAssignWeldDlg.h"

#include <string>
#include <vector>

#include "QIVDlgFrame.h"
#include "QIVDlgMultiList.h"
#include "QIVDlgPushButton.h"
#include "QIVMsgCatalog.h"
#include "ZELVekBIWAutoAssignWeldCmd.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWAutoAssignWeldDlg";
constexpr unsigned long kMultipleSelection = ZELVekBIWStyle::MultipleSelection;
constexpr int kColumnCount = 3;

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}
}  // namespace

ZELVekBIWAutoAssignWeldDlg::ZELVekBIWAutoAssignWeldDlg(QIVCommand* command)
    : QIVDlgDialog(command, "ZELVekBIWAutoAssignWeldDlg", 0) {
  ZELTraceLine(QIVUnicodeString(kClass) + " Constructor");
  SetTitle(Caption("Title", "Automatic Fastener Assignment"));
}

ZELVekBIWAutoAssignWeldDlg::~ZELVekBIWAutoAssignWeldDlg() {
  ZELTraceLine(QIVUnicodeString(kClass) + " Destructor");
}

void ZELVekBIWAutoAssignWeldDlg::Build() {
  ZELTraceScope scope(kClass, "Build");
  if (_pFrame) return;
  _pFrame = new QIVDlgFrame(this, "Frame");
  _pFrame->SetGridConstraints(0, 0, 1, 1, 15);
  _pMultiList = new QIVDlgMultiList(_pFrame, "MultiList", kMultipleSelection);
  _pMultiList->SetGridConstraints(0, 0, 1, 1, 15);
  _pMultiList->SetVisibleTextWidth(50);
  _pMultiList->SetVisibleTextHeight(20);
  for (int column = 0; column < kColumnCount; ++column) {
    const std::string key = std::string(kClass) + ".Frame.MultiList.ColumnTitle" + std::to_string(column);
    _pMultiList->SetColumnTitle(column, Caption(key.c_str(), ""));
    _pMultiList->SetColumnSortOrder(column, column == 0 ? QIVDlgMultiList::NumericSort : QIVDlgMultiList::TextSort);
  }
  _pRemoveButton = new QIVDlgPushButton(this, "Remove");
  _pRemoveButton->SetTitle(Caption("Remove.Title", "Remove"));
  _pRemoveButton->SetGridConstraints(1, 0, 1, 1, 0);
  SetButtonTitle(GetDiaCANCELNotification(), Caption("ButtonCancel", "Close"));

  AddAnalyseNotificationCB(_pRemoveButton, GetPushBActivateNotification(),
                           &ZELVekBIWAutoAssignWeldDlg::GetHighlightedObjects);
}

void ZELVekBIWAutoAssignWeldDlg::Display(const QIVListValQIVUnicodeString* fastenerNames,
                                         const QIVListValQIVUnicodeString* activityNames) {
  ZELTraceScope scope(kClass, "Display");
  if (!_pMultiList || !fastenerNames || !activityNames || fastenerNames->IsEmpty() || activityNames->IsEmpty() ||
      fastenerNames->Size() != activityNames->Size())
    return;
  _pMultiList->ClearLine();
  for (int row = 1; row <= fastenerNames->Size(); ++row)
    _pMultiList->AddRow({QIVUnicodeString().BuildFromNum(row, "%d"), (*fastenerNames)[row], (*activityNames)[row]});
}

void ZELVekBIWAutoAssignWeldDlg::ClearTable() {
  if (_pMultiList) _pMultiList->ClearLine();
}

void ZELVekBIWAutoAssignWeldDlg::GetHighlightedObjects(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "GetHighlightedObjects");
  auto* command = dynamic_cast<ZELVekBIWAutoAssignWeldCmd*>(GetFather());
  if (!command || !_pMultiList) return;
  const std::vector<int> rows = _pMultiList->GetSelect();
  command->UpdateListOfWeldsToAssign(rows.data(), static_cast<int>(rows.size()));
}
