#include "ZELVekBIWLocatorsAssignFailureDlg.h"

#include <string>

#include "QIVDlgMultiList.h"
#include "QIVISPPActivity.h"
#include "QIVMsgCatalog.h"
#include "ZELLocatorFacts.h"
#include "frame/ZELBIWCmdTrace.h"

namespace {
constexpr const char* kClass = "ZELVekBIWLocatorsAssignFailureDlg";
constexpr const char* kReasonCatalog = "ZELVekBIWAssignDatumAndTargetCmd";
constexpr int kColumnCount = 6;

struct ReasonText {
  const char* key;
  const char* text;
};
// By reason code.
constexpr ReasonText kReasons[] = {
    {"DuplicateAssign", "Item already assigned to the activity."},
    {"PartNotLoaded", "Associated part(s) not previously loaded."},
    {"TypeMismatch", "Activity type does not match with Item type."},
};

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}
}  // namespace

ZELVekBIWLocatorsAssignFailureDlg::ZELVekBIWLocatorsAssignFailureDlg(QIVCommand* command)
    : QIVDlgDialog(command, kClass, 0) {
  SetTitle(Caption("Title", "Locator Assignment Report"));
}

void ZELVekBIWLocatorsAssignFailureDlg::Build() {
  ZELTraceScope scope(kClass, "Build", ZELTraceScope::Dashes);
  if (_pMultiList) return;
  // OK is the only way out, and the default one.
  for (const char* kind : {GetDiaCANCELNotification(), GetDiaAPPLYNotification(), GetDiaCLOSENotification()})
    SetButtonSensitivity(kind, QIVDlgDisable);
  _pMultiList = new QIVDlgMultiList(this, "pMultiListAssignFeedback");
  _pMultiList->SetGridConstraints(0, 0, 1, 1, 15);
  _pMultiList->SetVisibleTextHeight(10);
  for (int column = 0; column < kColumnCount; ++column) {
    const std::string key = "pMultiListAssignFeedback.ColumnTitle" + std::to_string(column + 1);
    _pMultiList->SetColumnTitle(column, Caption(key.c_str(), ""));
  }
}

void ZELVekBIWLocatorsAssignFailureDlg::UpdateFailureList(const QIVBaseUnknown_var& item,
                                                          const QIVBaseUnknown_var& activity, int reason) {
  QIVISPPActivity_var receiving(activity);
  if (!_pMultiList || !item || !receiving) return;
  ++_rowCount;
  QIVUnicodeString reasonText;
  if (reason >= 0 && reason < static_cast<int>(std::size(kReasons)))
    reasonText =
        QIVMsgCatalog::BuildMessage(kReasonCatalog, kReasons[reason].key, nullptr, 0, kReasons[reason].text);
  _pMultiList->AddRow({QIVUnicodeString().BuildFromNum(_rowCount, "%d"), ZELLocatorFacts::Alias(item),
                       ZELLocatorFacts::OwnerProductName(item), ZELLocatorFacts::LocatorText(item),
                       receiving->GetName(), reasonText});
}

QIVBaseUnknown_var ZELVekBIWLocatorsAssignFailureDlg::GetOwnerProduct(const QIVBaseUnknown_var& object) {
  return ZELLocatorFacts::OwnerProduct(object);
}
