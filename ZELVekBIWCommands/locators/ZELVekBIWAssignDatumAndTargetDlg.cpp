#include "ZELVekBIWAssignDatumAndTargetDlg.h"

#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgSelectorList.h"
#include "QIVMsgCatalog.h"
#include "ZELVekBIWAssignDatumAndTargetCmd.h"
#include "frame/ZELBIWCmdTrace.h"

namespace {
constexpr const char* kClass = "ZELVekBIWAssignDatumAndTargetDlg";

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}
}  // namespace

ZELVekBIWAssignDatumAndTargetDlg::ZELVekBIWAssignDatumAndTargetDlg(QIVCommand* command)
    : QIVDlgDialog(command, kClass, 0) {
  SetTitle(Caption("Title", "Assign Datums, Targets and Locators"));
}

void ZELVekBIWAssignDatumAndTargetDlg::Build() {
  ZELTraceScope scope(kClass, "Build", ZELTraceScope::Dashes);
  if (_pFrame) return;
  _pFrame = new QIVDlgFrame(this, "Frame027");
  _pFrame->SetGridConstraints(0, 0, 1, 1, 15);
  _pLabelLocators = new QIVDlgLabel(_pFrame, "labelLocators");
  _pLabelLocators->SetTitle(Caption("labelLocators.Title", "Datums, targets and locators"));
  _pLabelLocators->SetGridConstraints(0, 0, 1, 1, 0);
  _pLabelActivities = new QIVDlgLabel(_pFrame, "labelActivities");
  _pLabelActivities->SetTitle(Caption("labelActivities.Title", "Activities"));
  _pLabelActivities->SetGridConstraints(0, 1, 1, 1, 0);
  _pListLocators = new QIVDlgSelectorList(_pFrame, "listLocators");
  _pListLocators->SetGridConstraints(1, 0, 1, 1, 15);
  _pListLocators->SetVisibleTextHeight(10);
  _pListActivities = new QIVDlgSelectorList(_pFrame, "listActivities");
  _pListActivities->SetGridConstraints(1, 1, 1, 1, 15);
  _pListActivities->SetVisibleTextHeight(10);
  _pContainer = new QIVDlgFrame(_pFrame, "Container031");
  _pContainer->SetGridConstraints(2, 0, 2, 1, 0);
  _pRemoveLocators = new QIVDlgPushButton(_pContainer, "removeLocators");
  _pRemoveLocators->SetTitle(Caption("removeLocators.Title", "Remove"));
  _pRemoveLocators->SetGridConstraints(0, 0, 1, 1, 0);
  _pRemoveActivities = new QIVDlgPushButton(_pContainer, "removeActivities");
  _pRemoveActivities->SetTitle(Caption("removeActivities.Title", "Remove"));
  _pRemoveActivities->SetGridConstraints(0, 1, 1, 1, 0);

  AddAnalyseNotificationCB(_pRemoveLocators, GetPushBActivateNotification(),
                           &ZELVekBIWAssignDatumAndTargetDlg::RemoveLocators);
  AddAnalyseNotificationCB(_pRemoveActivities, GetPushBActivateNotification(),
                           &ZELVekBIWAssignDatumAndTargetDlg::RemoveActivities);
}

void ZELVekBIWAssignDatumAndTargetDlg::UpdateItemsList(const QIVUnicodeString& name) {
  if (_pListLocators) _pListLocators->SetLine(name);
}

void ZELVekBIWAssignDatumAndTargetDlg::UpdateActivitiesList(const QIVUnicodeString& name) {
  if (_pListActivities) _pListActivities->SetLine(name);
}

bool ZELVekBIWAssignDatumAndTargetDlg::TakeSelectedLine(QIVDlgSelectorList* list, QIVUnicodeString& text) {
  if (!list || list->GetSelectCount() == 0) return false;
  const int row = list->GetSelect().front();
  text = list->GetLine(row);
  list->RemoveRow(row);
  return true;
}

void ZELVekBIWAssignDatumAndTargetDlg::RemoveLocators(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "RemoveLocators", ZELTraceScope::Dashes);
  auto* command = dynamic_cast<ZELVekBIWAssignDatumAndTargetCmd*>(GetFather());
  QIVUnicodeString name;
  if (!command || !TakeSelectedLine(_pListLocators, name)) return;
  command->RemoveItemFromList(name);
  command->UpdateCSO();
}

void ZELVekBIWAssignDatumAndTargetDlg::RemoveActivities(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "RemoveActivities", ZELTraceScope::Dashes);
  auto* command = dynamic_cast<ZELVekBIWAssignDatumAndTargetCmd*>(GetFather());
  QIVUnicodeString name;
  if (!command || !TakeSelectedLine(_pListActivities, name)) return;
  command->RemoveActivityFromList(name);
  command->UpdateCSO();
}
