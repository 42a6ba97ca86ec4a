#include "ZELVekFasteningSyncDlg.h"

#include "QIVApplicationFrame.h"
#include "QIVDlgFrame.h"
#include "QIVDlgRadioButton.h"
#include "QIVMsgCatalog.h"
#include "ZELVekFasteningSyncCmd.h"
#include "frame/ZELBIWCmdTrace.h"

namespace {
constexpr const char* kClass = "ZELVekFasteningSyncDlg";
constexpr unsigned long kDialogStyle = 0x10000000;

QIVDialog* MainWindow() {
  QIVApplicationFrame* frame = QIVApplicationFrame::GetFrame();
  return frame ? frame->GetMainWindow() : nullptr;
}

QIVUnicodeString Caption(const char* key, const char* text) {
  return QIVMsgCatalog::BuildMessage(kClass, key, nullptr, 0, text);
}
}  // namespace

ZELVekFasteningSyncDlg::ZELVekFasteningSyncDlg(QIVCommand* command)
    : QIVDlgDialog(MainWindow(), kClass, kDialogStyle), _command(command) {
  ZELTraceLine(QIVUnicodeString(kClass) + " Constructor");
  SetTitle(Caption("Title", "Fastening Synchronisation"));
}

ZELVekFasteningSyncDlg::~ZELVekFasteningSyncDlg() { ZELTraceLine(QIVUnicodeString(kClass) + " Destructor"); }

void ZELVekFasteningSyncDlg::Build(bool stationIsolation) {
  ZELTraceScope scope(kClass, "Build");
  if (_pFrame) return;
  _pFrame = new QIVDlgFrame(this, "baseFrame");
  _pIsolation = new QIVDlgRadioButton(_pFrame, "RadioStationIsolation");
  _pIsolation->SetTitle(Caption("baseFrame.RadioStationIsolation.Title", "Station in isolation"));
  _pEntireProcess = new QIVDlgRadioButton(_pFrame, "RadioEntireProcess");
  _pEntireProcess->SetTitle(Caption("baseFrame.RadioEntireProcess.Title", "Entire process"));
  (stationIsolation ? _pIsolation : _pEntireProcess)->SetState(true);
  for (QIVDlgRadioButton* radio : {_pIsolation, _pEntireProcess})
    AddAnalyseNotificationCB(radio, GetRadBModifyNotification(), &ZELVekFasteningSyncDlg::OnModeChecked);
}

void ZELVekFasteningSyncDlg::OnModeChecked(QIVCommand*, const QIVNotification&, void*) {
  ZELTraceScope scope(kClass, "OnModeChecked");
  if (auto* command = dynamic_cast<ZELVekFasteningSyncCmd*>(_command))
    command->ModeChanged(IsStationIsolation());
}

bool ZELVekFasteningSyncDlg::IsStationIsolation() const { return _pIsolation && _pIsolation->GetState(); }
