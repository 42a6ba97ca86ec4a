#include "ZELLocatorAccountabilityCommand.h"

#include "QIVCommandDeletion.h"
#include "QIVIProduct.h"
#include "ZELFastenerServices.h"
#include "ZELLocatorAccountabilityDialog.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELLocatorAccountabilityCommand";
}  // namespace

ZELLocatorAccountabilityCommand::ZELLocatorAccountabilityCommand()
    : QIVStateCommand(kClass, ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive) {}

ZELLocatorAccountabilityCommand::~ZELLocatorAccountabilityCommand() {
  if (_pDialogAgent) QIVCommandDeletion(_pDialogAgent);
  _pDialogAgent = nullptr;
  if (_pProductAgent) QIVCommandDeletion(_pProductAgent);
  _pProductAgent = nullptr;
  if (_pDialog) QIVCommandDeletion(_pDialog);
  _pDialog = nullptr;
}

const char* ZELLocatorAccountabilityCommand::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELLocatorAccountabilityCommand::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pDialog = new ZELLocatorAccountabilityDialog(this);
  _pDialog->Build();
  _pDialogAgent = new QIVDialogAgent("LocatorAccountabilityDlgAgentId");
  for (const char* kind : {QIVDialog::GetDiaOKNotification(), QIVDialog::GetDiaCANCELNotification(),
                           QIVDialog::GetDiaCLOSENotification(), QIVDialog::GetWindCloseNotification()})
    _pDialogAgent->AcceptOnNotify(_pDialog, kind);
  _pProductAgent = new QIVPathElementAgent("AgentProduct", QIVIProduct::ClassName());
  _pProductAgent->SetBehavior(QIVAgentBehavior::Repeat);
  AddCSOClient(_pProductAgent);

  QIVDialogState* state = GetInitialState("State1Id");
  state->AddDialogAgent(_pProductAgent);
  state->AddDialogAgent(_pDialogAgent);
  AddTransition(state, state, IsOutputSetCondition(_pProductAgent),
                Action(this, &ZELLocatorAccountabilityCommand::ProductSelected));
  AddTransition(state, nullptr, IsOutputSetCondition(_pDialogAgent),
                Action(this, &ZELLocatorAccountabilityCommand::CloseLocatorAccountabilityDlg));

  // The report opens on the whole document, until a product is picked.
  _pDialog->UpdateAccountabilityDisplay(false);
  _pDialog->SetVisibility(QIVDlgShow);
}

void ZELLocatorAccountabilityCommand::Activate() {
  ZELTraceScope scope(kClass, "Activate");
  if (_pDialog) _pDialog->SetVisibility(QIVDlgShow);
}

void ZELLocatorAccountabilityCommand::Desactivate() {
  ZELTraceScope scope(kClass, "Desactivate");
  if (_pDialog) _pDialog->SetVisibility(QIVDlgHide);
}

void ZELLocatorAccountabilityCommand::Cancel() {
  ZELTraceScope scope(kClass, "Cancel");
  if (_pDialog) _pDialog->SetVisibility(QIVDlgHide);
  QIVStateCommand::Cancel();
}

bool ZELLocatorAccountabilityCommand::ProductSelected(void*) {
  ZELTraceScope scope(kClass, "ProductSelected");
  const QIVBaseUnknown_var product = _pProductAgent->GetValue();
  if (!product) return false;
  _pDialog->SetCurrentProduct(product);
  _pDialog->SetVisibility(QIVDlgShow);
  ZELFastenerServices::SetHighlight(product);
  return true;
}

bool ZELLocatorAccountabilityCommand::CloseLocatorAccountabilityDlg(void*) {
  ZELTraceScope scope(kClass, "CloseLocatorAccountabilityDlg");
  if (_pDialog) _pDialog->SetVisibility(QIVDlgHide);
  return true;
}
