#include "ZELBIWUpdateManufAssemblyPanel.h"

#include "QIVApplicationFrame.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgPushButton.h"
#include "QIVDlgRadioButton.h"
#include "QIVFrmEditor.h"
#include "QIVIDocument.h"
#include "QIVISPPProcessContainer.h"
#include "QIVMsgCatalog.h"
#include "ZELIUpdateManufAssly.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELBIWUpdateManufAssemblyPanel";
constexpr unsigned long kDialogStyle = ZELVekBIWStyle::PanelDialog;
constexpr unsigned long kFrameStyle = ZELVekBIWStyle::Frame;
constexpr unsigned long kReadOnlyStyle = ZELVekBIWStyle::ReadOnlyEditor;
constexpr int kAllSides =
    QIVDlgAttachment::Top | QIVDlgAttachment::Bottom | QIVDlgAttachment::Left | QIVDlgAttachment::Right;

QIVCommand* MainWindow() {
  QIVApplicationFrame* frame = QIVApplicationFrame::GetFrame();
  return frame ? frame->GetMainWindow() : nullptr;
}

// Puts a control in its container's grid, with its caption from the
// panel's catalogue under "<control>.Title" when it has one.
template <class Widget>
Widget* Place(Widget* widget, int row, int column, const char* caption = nullptr) {
  widget->SetGridConstraints(row, column);
  if (caption)
    widget->SetTitle(
        QIVMsgCatalog::BuildMessage(kClass, widget->GetName().str() + ".Title", nullptr, 0, caption));
  return widget;
}

ZELIUpdateManufAssly_var AutomaticUpdate() {
  QIVISPPActivityRoot_var root;
  if (FAILED(ZELBIWUpdateManufAssemblyPanel::GetRootProcess(root))) return ZELIUpdateManufAssly_var();
  return ZELIUpdateManufAssly_var(root);
}
}  // namespace

ZELBIWUpdateManufAssemblyPanel::ZELBIWUpdateManufAssemblyPanel(const QIVUnicodeString& name,
                                                               unsigned long style)
    : QIVDlgDialog(MainWindow(), name, style | kDialogStyle) {
  ZELTraceScope scope(kClass, "Constructor", ZELTraceScope::Dashes);
  SetTitle(QIVMsgCatalog::BuildMessage(kClass, "Title", nullptr, 0, "Update Manufactured Assemblies"));
  if (ZELIUpdateManufAssly_var automatic = AutomaticUpdate(); automatic)
    _iAutoUpdate = automatic->IsAutomaticUpdate() ? 1 : 0;
  Build();
  SetVisibility(QIVDlgHide);
}

ZELBIWUpdateManufAssemblyPanel::~ZELBIWUpdateManufAssemblyPanel() {
  ZELTraceScope scope(kClass, "Destructor", ZELTraceScope::Dashes);
}

void ZELBIWUpdateManufAssemblyPanel::Build() {
  BuildPage();
  ManageCallbacksAndEvents();
}

void ZELBIWUpdateManufAssemblyPanel::BuildPage() {
  ZELTraceScope scope(kClass, "BuildPage", ZELTraceScope::Dashes);
  _pFrameUp = Place(new QIVDlgFrame(this, "FrameUp"), 0, 0);
  _pFrameSelectActivity =
      Place(new QIVDlgFrame(_pFrameUp, "FrameSelectActivity", kFrameStyle), 0, 0, "Update");
  _pRBAllActivities =
      Place(new QIVDlgRadioButton(_pFrameSelectActivity, "RBAllActivities"), 0, 0, "All activities");
  _pRBSelectedActivity =
      Place(new QIVDlgRadioButton(_pFrameSelectActivity, "RBSelectedActivity"), 1, 0, "Selected activity");
  _pRBAllActivities->SetState(true);

  _pFrameUpdate = Place(new QIVDlgFrame(_pFrameUp, "FrameUpdate", kFrameStyle), 0, 1);
  _pButtonUpdate = Place(new QIVDlgPushButton(_pFrameUpdate, "ButtonUpdate"), 0, 0, "Update");
  _pFrameUp->SetSideAttachment(_pFrameSelectActivity, QIVDlgAttachment::Top | QIVDlgAttachment::Bottom);
  _pFrameUp->SetSideAttachment(_pFrameUpdate, QIVDlgAttachment::Top | QIVDlgAttachment::Bottom);
  _pFrameUp->SetHorizontalAttachment(0, 0, _pFrameSelectActivity);
  _pFrameUp->SetHorizontalAttachment(1, 0, _pFrameUpdate);

  _pFrameActivityDisplay = Place(new QIVDlgFrame(this, "FrameActivityDisplay"), 1, 0, "Selected activity");
  _pEditSelectedActivity = new QIVDlgEditor(_pFrameActivityDisplay, "EditSelectedActivity", kReadOnlyStyle);
  _pFrameActivityDisplay->SetSideAttachment(_pEditSelectedActivity, kAllSides);

  _pFrameDn = Place(new QIVDlgFrame(this, "FrameDn"), 2, 0, "Automatic update");
  _pRBActivateAuto = Place(new QIVDlgRadioButton(_pFrameDn, "RBActivateAuto"), 0, 0, "On");
  _pRBDeactivateAuto = Place(new QIVDlgRadioButton(_pFrameDn, "RBDeactivateAuto"), 1, 0, "Off");
  (_iAutoUpdate ? _pRBActivateAuto : _pRBDeactivateAuto)->SetState(true, 0);

  for (QIVDialog* frame : {_pFrameUp, _pFrameActivityDisplay, _pFrameDn}) SetSideAttachment(frame, kAllSides);
}

void ZELBIWUpdateManufAssemblyPanel::ManageCallbacksAndEvents() {
  using Self = ZELBIWUpdateManufAssemblyPanel;
  AddAnalyseNotificationCB(this, GetDiaOKNotification(), &Self::DoOk);
  AddAnalyseNotificationCB(this, GetDiaCANCELNotification(), &Self::DoCancel);
  AddAnalyseNotificationCB(_pButtonUpdate, GetPushBActivateNotification(),
                           &Self::OnUpdateBtnPushNotificationCB);
  AddAnalyseNotificationCB(_pRBAllActivities, GetRadBModifyNotification(), &Self::OnAllActivitiesRadioBtnCB);
  AddAnalyseNotificationCB(_pRBSelectedActivity, GetRadBModifyNotification(),
                           &Self::OnSelectedActivityRadioBtnCB);
  AddAnalyseNotificationCB(_pRBActivateAuto, GetRadBModifyNotification(), &Self::OnActiviteAutoRadioBtnCB);
  AddAnalyseNotificationCB(_pRBDeactivateAuto, GetRadBModifyNotification(),
                           &Self::OnDeactivateAutoRadioBtnCB);
}

void ZELBIWUpdateManufAssemblyPanel::DisplayActivity(const QIVUnicodeString& text) {
  _pEditSelectedActivity->SetText(text);
  EnableUpdateButton();
}

void ZELBIWUpdateManufAssemblyPanel::EnableUpdateButton() { _pButtonUpdate->SetSensitivity(QIVDlgEnable); }

HRESULT ZELBIWUpdateManufAssemblyPanel::GetRootProcess(QIVISPPActivityRoot_var& root) {
  root = nullptr;
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor) return E_FAIL;
  QIVIDocument_var document(editor->GetDocument());
  QIVBaseUnknown_var container;
  if (!document || FAILED(document->GetProcessContainer(container))) return E_FAIL;
  QIVISPPProcessContainer_var processes(container);
  if (!processes) return E_FAIL;
  const QIVListValQIVBaseUnknown_var roots = processes->GetProcesses();
  if (roots.IsEmpty()) return E_FAIL;
  root = QIVISPPActivityRoot_var(roots[1]);
  return root ? S_OK : E_FAIL;
}

void ZELBIWUpdateManufAssemblyPanel::Signal(const char* kind) {
  QIVCommand::SendNotification(GetFather(), QIVNotification{kind, this});
}

void ZELBIWUpdateManufAssemblyPanel::OnUpdateBtnPushNotificationCB(QIVCommand*, const QIVNotification&,
                                                                   void*) {
  Signal(_pRBSelectedActivity->GetState() ? QIVNotificationKind::Help : QIVNotificationKind::MDIMaximize);
}

void ZELBIWUpdateManufAssemblyPanel::OnAllActivitiesRadioBtnCB(QIVCommand*, const QIVNotification&, void*) {
  _pEditSelectedActivity->SetSensitivity(QIVDlgDisable);
  _pButtonUpdate->SetSensitivity(QIVDlgEnable);
  Signal(QIVNotificationKind::Next);
}

void ZELBIWUpdateManufAssemblyPanel::OnSelectedActivityRadioBtnCB(QIVCommand*, const QIVNotification&,
                                                                  void*) {
  _pEditSelectedActivity->SetSensitivity(QIVDlgEnable);
  if (_pEditSelectedActivity->GetText().IsEmpty()) _pButtonUpdate->SetSensitivity(QIVDlgDisable);
  Signal(QIVNotificationKind::Previous);
}

void ZELBIWUpdateManufAssemblyPanel::OnActiviteAutoRadioBtnCB(QIVCommand*, const QIVNotification&, void*) {
  SwitchAutomaticUpdate(true);
}

void ZELBIWUpdateManufAssemblyPanel::OnDeactivateAutoRadioBtnCB(QIVCommand*, const QIVNotification&, void*) {
  SwitchAutomaticUpdate(false);
}

void ZELBIWUpdateManufAssemblyPanel::SwitchAutomaticUpdate(bool automatic) {
  ZELIUpdateManufAssly_var update = AutomaticUpdate();
  if (update && update->IsAutomaticUpdate() != automatic) update->SetAutomaticUpdate(automatic);
}

void ZELBIWUpdateManufAssemblyPanel::DoOk(QIVCommand*, const QIVNotification& notification, void*) {
  QIVCommand::SendNotification(GetFather(), notification);
}

void ZELBIWUpdateManufAssemblyPanel::DoCancel(QIVCommand*, const QIVNotification& notification, void*) {
  QIVCommand::SendNotification(GetFather(), notification);
}
