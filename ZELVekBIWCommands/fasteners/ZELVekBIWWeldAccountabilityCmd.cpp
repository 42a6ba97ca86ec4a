#include "ZELVekBIWWeldAccountabilityCmd.h"

#include "QIVCommandDeletion.h"
#include "QIVIProduct.h"
#include "QIVPathElementAgent.h"
#include "ZELVekBIWWeldAccountabilityDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWWeldAccountabilityCmd";
}  // namespace

ZELVekBIWWeldAccountabilityCmd::ZELVekBIWWeldAccountabilityCmd()
    : QIVStateCommand("WeldAccountabilityCmd", ZELVekBIWBehavior::Single, ZELVekBIWMode::Exclusive) {}

ZELVekBIWWeldAccountabilityCmd::~ZELVekBIWWeldAccountabilityCmd() {
  if (_pDlgAgent) QIVCommandDeletion(_pDlgAgent);
  _pDlgAgent = nullptr;
  if (_pProductAgent) QIVCommandDeletion(_pProductAgent);
  _pProductAgent = nullptr;
  if (_pDlg) QIVCommandDeletion(_pDlg);
  _pDlg = nullptr;
}

const char* ZELVekBIWWeldAccountabilityCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWWeldAccountabilityCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pDlg = new ZELVekBIWWeldAccountabilityDlg();
  _pDlg->SetFather(this);
  _pDlg->Build();
  _pDlg->SetVisibility(QIVDlgShow);

  _pDlgAgent = new QIVDialogAgent("WeldAccountabilityDlgAgentId");
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaCANCELNotification());
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetWindCloseNotification());
  _pProductAgent = new QIVPathElementAgent("AgentProduct", QIVIProduct::ClassName(),
                                           ZELVekBIWAgentBehavior::RepeatingPick);

  QIVDialogState* state = GetInitialState("State1Id");
  state->AddDialogAgent(_pProductAgent);
  state->AddDialogAgent(_pDlgAgent);
  AddTransition(state, state, IsOutputSetCondition(_pProductAgent),
                Action(this, &ZELVekBIWWeldAccountabilityCmd::ProductSelected));
  AddTransition(state, nullptr, IsOutputSetCondition(_pDlgAgent),
                Action(this, &ZELVekBIWWeldAccountabilityCmd::CloseWeldAccountabilityDlg));
}

void ZELVekBIWWeldAccountabilityCmd::Activate() { ZELTraceLine(QIVUnicodeString(kClass) + "::Activate"); }

void ZELVekBIWWeldAccountabilityCmd::Desactivate() {
  ZELTraceLine(QIVUnicodeString(kClass) + "::Desactivate");
}

void ZELVekBIWWeldAccountabilityCmd::Cancel() {
  ZELTraceScope scope(kClass, "Cancel");
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  QIVStateCommand::Cancel();
}

bool ZELVekBIWWeldAccountabilityCmd::ProductSelected(void*) {
  ZELTraceScope scope(kClass, "ProductSelected");
  _pDlg->SetCurrentProduct(_pProductAgent->GetValue());
  return true;
}

bool ZELVekBIWWeldAccountabilityCmd::CloseWeldAccountabilityDlg(void*) {
  ZELTraceScope scope(kClass, "CloseWeldAccountabilityDlg");
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  return true;
}
