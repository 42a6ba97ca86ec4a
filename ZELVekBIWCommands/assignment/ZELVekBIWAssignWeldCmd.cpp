#include "ZELVekBIWAssignWeldCmd.h"

#include "QIVCommandDeletion.h"
#include "QIVFrmEditor.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVISPPActivityRoot.h"
#include "ZELIBIWFastener.h"
#include "ZELVekBIWAssignWeldDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWAssignWeldCmd";

// The weld agent takes repeated picks of several fasteners; product and
// activity agents repeated single picks.
constexpr std::uint64_t kWeldAcquisition = ZELVekBIWAgentBehavior::RepeatingMultiPick;
constexpr std::uint64_t kRepeatingPick = ZELVekBIWAgentBehavior::RepeatingPick;
}  // namespace

ZELVekBIWAssignWeldCmd::ZELVekBIWAssignWeldCmd() : QIVStateCommand("AssignWeldCmd", ZELVekBIWBehavior::Single, ZELVekBIWMode::Exclusive) {
  ZELTraceLine(QIVUnicodeString(kClass) + " Constructor");
}

ZELVekBIWAssignWeldCmd::~ZELVekBIWAssignWeldCmd() {
  ZELTraceLine(QIVUnicodeString(kClass) + " Destructor");
  if (_pDlgAgent) QIVCommandDeletion(_pDlgAgent);
  _pDlgAgent = nullptr;
  for (QIVPathElementAgent** agent : {&_pWeldAgent, &_pProductAgent, &_pActivityAgent}) {
    if (*agent) QIVCommandDeletion(*agent);
    *agent = nullptr;
  }
  if (_pDlg) QIVCommandDeletion(_pDlg);
  _pDlg = nullptr;
  _pProductFilter = nullptr;
}

const char* ZELVekBIWAssignWeldCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWAssignWeldCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pDlg = new ZELVekBIWAssignWeldDlg();
  _pDlg->SetFather(this);
  _pDlg->SetVisibility(QIVDlgHide);
  _pDlg->Build();

  _pDlgAgent = new QIVDialogAgent("AssignWeldDlgAgentId");
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaOKNotification());
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaCANCELNotification());
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetWindCloseNotification());

  _pWeldAgent = new QIVPathElementAgent("AgentWeld", ZELIBIWFastener::ClassName(), 2048);
  _pWeldAgent->SetBehavior(kWeldAcquisition);
  _pProductAgent = new QIVPathElementAgent("AgentProduct", QIVIProduct::ClassName(), kRepeatingPick);
  _pActivityAgent = new QIVPathElementAgent("AgentActivity", QIVISPPActivity::ClassName(), kRepeatingPick);
  _pProductFilter = Filter(this, &ZELVekBIWAssignWeldCmd::ProductHasFasteners);
  _pProductAgent->SetFilter(_pProductFilter);

  QIVDialogState* state = GetInitialState("State1Id");
  state->AddDialogAgent(_pDlgAgent);
  state->AddDialogAgent(_pWeldAgent);
  state->AddDialogAgent(_pProductAgent);
  state->AddDialogAgent(_pActivityAgent);
  AddCSOClient(_pProductAgent);
  AddCSOClient(_pActivityAgent);

  _pDlg->SetVisibility(QIVDlgShow);
  AddTransition(state, nullptr, IsLastModifiedAgentCondition(_pDlgAgent, QIVDialog::GetDiaCANCELNotification()),
                Action(this, &ZELVekBIWAssignWeldCmd::CloseAssignWeldDlg));
  AddTransition(state, nullptr, IsLastModifiedAgentCondition(_pDlgAgent, QIVDialog::GetWindCloseNotification()),
                Action(this, &ZELVekBIWAssignWeldCmd::CloseAssignWeldDlg));
  AddTransition(state, state, IsOutputSetCondition(_pWeldAgent), Action(this, &ZELVekBIWAssignWeldCmd::WeldSelected));
  AddTransition(state, state, IsOutputSetCondition(_pProductAgent),
                Action(this, &ZELVekBIWAssignWeldCmd::ProductSelected));
  AddTransition(state, state, IsOutputSetCondition(_pActivityAgent),
                Action(this, &ZELVekBIWAssignWeldCmd::ActivitySelected));
}

void ZELVekBIWAssignWeldCmd::Activate() { ZELTraceLine(QIVUnicodeString(kClass) + "::Activate"); }

void ZELVekBIWAssignWeldCmd::Desactivate() { ZELTraceLine(QIVUnicodeString(kClass) + "::Desactivate"); }

void ZELVekBIWAssignWeldCmd::Cancel() {
  ZELTraceScope scope(kClass, "Cancel");
  if (_pDlg) {
    _pDlg->ResetFastenersDisplay();
    _pDlg->SetVisibility(QIVDlgHide);
  }
  QIVStateCommand::Cancel();
}

bool ZELVekBIWAssignWeldCmd::CloseAssignWeldDlg(void*) {
  ZELTraceScope scope(kClass, "CloseAssignWeldDlg");
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  return true;
}

bool ZELVekBIWAssignWeldCmd::ProductHasFasteners(QIVPathElementAgent* agent, void*) {
  ZELVekBIWAssignWeldDlg::List fasteners;
  return ZELVekBIWAssignWeldDlg::GetListOfAllWeldsFromProduct(agent->GetValue(), fasteners);
}

bool ZELVekBIWAssignWeldCmd::WeldSelected(void*) {
  ZELTraceScope scope(kClass, "WeldSelected");
  ZELVekBIWAssignWeldDlg::List picked;
  for (const QIVPathElement_var& path : _pWeldAgent->GetListOfValues())
    if (const QIVBaseUnknown_var leaf = path ? path->GetLeaf() : QIVBaseUnknown_var(); ZELIBIWFastener_var(leaf))
      picked.Append(leaf);
  if (!picked.IsEmpty()) _pDlg->UpdateSelection(picked, _pWeldAgent->IsExtendSelection());
  _pWeldAgent->InitializeAcquisition();
  _pDlgAgent->InitializeAcquisition();
  return true;
}

bool ZELVekBIWAssignWeldCmd::ActivitySelected(void*) {
  ZELTraceScope scope(kClass, "ActivitySelected");
  const QIVBaseUnknown_var activity = _pActivityAgent->GetValue();
  if (QIVISPPActivityRoot_var(activity)) {
    ZELCatalogMessage{kClass,     "MessageRootActivityId", "Assignment to the root process is not allowed.",
                      "TitleRootActivityId", "WARNING", ZELVekBIWStyle::WarningBox}
        .Display(_pDlg);
    RemoveFromCSO(_pActivityAgent);
    _pActivityAgent->SetValue(QIVBaseUnknown_var(_pDlg->GetCurrentActivity()).get());
    return true;
  }
  _pDlg->SetCurrentActivity(activity);
  RemoveFromCSO(_pActivityAgent);
  return true;
}

bool ZELVekBIWAssignWeldCmd::ProductSelected(void*) {
  ZELTraceScope scope(kClass, "ProductSelected");
  _pDlg->SetCurrentProduct(_pProductAgent->GetValue());
  RemoveFromCSO(_pProductAgent);
  return true;
}

void ZELVekBIWAssignWeldCmd::RemoveFromCSO(const QIVPathElementAgent* agent) {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor) return;
  for (const QIVPathElement_var& path : agent->GetListOfValues()) editor->GetCSO()->RemoveElement(path.get());
}
