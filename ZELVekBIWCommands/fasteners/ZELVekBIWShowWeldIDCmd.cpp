#include "ZELVekBIWShowWeldIDCmd.h"

#include <vector>

#include "QIVCommandDeletion.h"
#include "QIVFrmEditor.h"
#include "QIVPathElementAgent.h"
#include "ZELFastenerDisplay.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELVekBIWShowWeldIDDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWShowWeldIDCmd";
}  // namespace

ZELVekBIWShowWeldIDCmd::ZELVekBIWShowWeldIDCmd()
    : QIVStateCommand("ShowWeldIDCmd", ZELVekBIWBehavior::Single, ZELVekBIWMode::Shared) {}

ZELVekBIWShowWeldIDCmd::~ZELVekBIWShowWeldIDCmd() {
  if (_pDlgAgent) QIVCommandDeletion(_pDlgAgent);
  _pDlgAgent = nullptr;
  if (_pFeatureAgent) QIVCommandDeletion(_pFeatureAgent);
  _pFeatureAgent = nullptr;
  if (_pDlg) QIVCommandDeletion(_pDlg);
  _pDlg = nullptr;
}

const char* ZELVekBIWShowWeldIDCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWShowWeldIDCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pDlg = new ZELVekBIWShowWeldIDDlg();
  _pDlg->SetFather(this);
  _pDlg->SetVisibility(QIVDlgHide);
  _pDlg->Build();

  _pFeatureAgent = new QIVPathElementAgent("FeatureAgentId", ZELIBIWFeature::ClassName(),
                                           ZELVekBIWAgentBehavior::RepeatingPick);
  _pDlgAgent = new QIVDialogAgent("ShowWeldIDDlgAgentId", QIVAgentBehavior::Repeat);
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaOKNotification());
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaCANCELNotification());
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetWindCloseNotification());

  QIVDialogState* state = GetInitialState("State1Id");
  state->AddDialogAgent(_pFeatureAgent);
  state->AddDialogAgent(_pDlgAgent);
  AddTransition(state, state, IsOutputSetCondition(_pFeatureAgent),
                Action(this, &ZELVekBIWShowWeldIDCmd::BIWFeatureSelected));
  AddTransition(state, state, IsLastModifiedAgentCondition(_pDlgAgent, QIVDialog::GetDiaOKNotification()),
                Action(this, &ZELVekBIWShowWeldIDCmd::ApplyShowWeldIDDlg));
  AddTransition(state, nullptr, IsOutputSetCondition(_pDlgAgent),
                Action(this, &ZELVekBIWShowWeldIDCmd::CloseShowWeldIDDlg));
}

void ZELVekBIWShowWeldIDCmd::Activate() { ZELTraceLine(QIVUnicodeString(kClass) + "::Activate"); }

void ZELVekBIWShowWeldIDCmd::Desactivate() { ZELTraceLine(QIVUnicodeString(kClass) + "::Desactivate"); }

void ZELVekBIWShowWeldIDCmd::Cancel() {
  ZELTraceScope scope(kClass, "Cancel");
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  QIVStateCommand::Cancel();
}

bool ZELVekBIWShowWeldIDCmd::BIWFeatureSelected(void*) {
  ZELTraceScope scope(kClass, "BIWFeatureSelected");
  const QIVBaseUnknown_var feature = _pFeatureAgent->GetValue();
  _jointBodies.RemoveAll();
  GetAllJointBodies(feature, _jointBodies);
  if (_jointBodies.IsEmpty()) return true;
  if (_pDlg->GetVisibility() != QIVDlgShow) _pDlg->SetVisibility(QIVDlgShow);
  _pDlg->SetSelectedBIWFeature(feature);
  for (const QIVBaseUnknown_var& group : _jointBodies) _pDlg->SetBIWFeature(group);
  return true;
}

void ZELVekBIWShowWeldIDCmd::GetAllJointBodies(const QIVBaseUnknown_var& feature, List& groups) {
  // Each group is listed before the groups below it; walked without
  // recursion, as a hand-written document may nest groups deeply.
  std::vector<QIVBaseUnknown_var> pending;
  List children;
  auto pushChildren = [&](const QIVBaseUnknown_var& parent) {
    const ZELIBIWFeatureChildMgmt_var group(parent);
    if (!group || FAILED(group->GetChildren(children))) return;
    pending.insert(pending.end(), children.Items().rbegin(), children.Items().rend());
  };
  pushChildren(feature);
  while (!pending.empty()) {
    const QIVBaseUnknown_var child = std::move(pending.back());
    pending.pop_back();
    if (const ZELIBIWFeatureChildMgmt_var group(child); !group || group->GetChildrenCount() == 0) continue;
    groups.Append(child);
    pushChildren(child);
  }
}

bool ZELVekBIWShowWeldIDCmd::ApplyShowWeldIDDlg(void*) {
  ZELTraceScope scope(kClass, "ApplyShowWeldIDDlg");
  const List& groups = _pDlg->GetListOfFeatures();
  const std::vector<int>& switches = _pDlg->GetTab();
  List fasteners;
  for (int row = 0; row < groups.Size(); ++row) {
    const bool show = switches[row] == 1;
    const ZELIBIWFeatureChildMgmt_var group(groups[row + 1]);
    if (!group || FAILED(group->GetChildren(fasteners, ZELIBIWFastener::ClassName())) || fasteners.IsEmpty())
      continue;
    ZELFastenerDisplay::VisualizationR7WeldList(fasteners, show, 0, 255, 255, 255, 255);
    ZELFastenerDisplay::ShowWeldIDs(fasteners, show);
  }
  EmptyHSO();
  return true;
}

void ZELVekBIWShowWeldIDCmd::EmptyHSO() {
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor()) editor->GetHSO()->Empty();
}

bool ZELVekBIWShowWeldIDCmd::CloseShowWeldIDDlg(void*) {
  ZELTraceScope scope(kClass, "CloseShowWeldIDDlg");
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  return true;
}
