#include "ZELVekBIWReallocateWeldCmd.h"

#include <unordered_set>

#include "QIVCommandDeletion.h"
#include "QIVDispatcher.h"
#include "QIVISPPActivity.h"
#include "QIVISPPActivityRoot.h"
#include "QIVOtherDocumentAgent.h"
#include "ZELBIWActivityIntelligenceServices.h"
#include "ZELBIWCmdTrace.h"
#include "ZELCatalogMessage.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELVekBIWCommandNumbers.h"
#include "ZELVekBIWReallocateWeldDlg.h"
#include "ZELVekBIWSettingsServices.h"

namespace {
constexpr const char* kClass = "ZELVekBIWReallocateWeldCmd";
constexpr const char* kPicker = "ZELVekBIWSelectActivityMultiCmd";
}  // namespace

ZELVekBIWReallocateWeldCmd::ZELVekBIWReallocateWeldCmd()
    : QIVStateCommand("ReallocateWeldCmd", ZELVekBIWBehavior::Single, ZELVekBIWMode::Exclusive) {}

ZELVekBIWReallocateWeldCmd::~ZELVekBIWReallocateWeldCmd() {
  if (_pDlgAgent) QIVCommandDeletion(_pDlgAgent);
  _pDlgAgent = nullptr;
  for (QIVPathElementAgent** agent : {&_pOriginAgent, &_pWeldAgent}) {
    if (*agent) QIVCommandDeletion(*agent);
    *agent = nullptr;
  }
  if (_pDestinationAgent) QIVCommandDeletion(_pDestinationAgent);
  _pDestinationAgent = nullptr;
  if (_pDlg) QIVCommandDeletion(_pDlg);
  _pDlg = nullptr;
}

const char* ZELVekBIWReallocateWeldCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWReallocateWeldCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pDlg = new ZELVekBIWReallocateWeldDlg();
  _pDlg->SetFather(this);
  _pDlg->SetVisibility(QIVDlgHide);
  _pDlg->Build();

  _pDlgAgent = new QIVDialogAgent("ReallocateWeldDlgAgentId");
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaCANCELNotification());
  _pDlgAgent->AcceptOnNotify(_pDlg, QIVDialog::GetWindCloseNotification());
  _pOriginAgent = new QIVPathElementAgent("AgentActivityOrigin", QIVISPPActivity::ClassName());
  _pDestinationAgent =
      new QIVOtherDocumentAgent("AgentActivityDestination", kPicker, QIVISPPActivity::ClassName(),
                                ZELVekBIWAgentBehavior::RepeatingMultiPick);
  _pDestinationAgent->SetFilter(Filter(this, &ZELVekBIWReallocateWeldCmd::checkForRoot));
  _pWeldAgent = new QIVPathElementAgent("AgentWeld", ZELIBIWFastener::ClassName(),
                                        ZELVekBIWAgentBehavior::RepeatingMultiPick);

  QIVDialogState* first = GetInitialState("State1Id");
  first->AddDialogAgent(_pOriginAgent);
  QIVDialogState* second = AddDialogState("State2Id");
  second->AddDialogAgent(_pDlgAgent);
  second->AddDialogAgent(_pWeldAgent);
  second->AddDialogAgent(_pDestinationAgent);

  AddTransition(first, second, IsOutputSetCondition(_pOriginAgent),
                Action(this, &ZELVekBIWReallocateWeldCmd::ActivityOriginSelected));
  AddTransition(second, nullptr, IsOutputSetCondition(_pDlgAgent),
                Action(this, &ZELVekBIWReallocateWeldCmd::CloseReallocateWeldDlg));
  AddTransition(second, second, IsOutputSetCondition(_pWeldAgent),
                Action(this, &ZELVekBIWReallocateWeldCmd::WeldSelected));
  AddTransition(second, second, IsOutputSetCondition(_pDestinationAgent),
                Action(this, &ZELVekBIWReallocateWeldCmd::ActivityDestinationSelected));
}

void ZELVekBIWReallocateWeldCmd::Activate() { ZELTraceLine(QIVUnicodeString(kClass) + "::Activate"); }

void ZELVekBIWReallocateWeldCmd::Desactivate() { ZELTraceLine(QIVUnicodeString(kClass) + "::Desactivate"); }

void ZELVekBIWReallocateWeldCmd::Cancel() {
  ZELTraceScope scope(kClass, "Cancel");
  if (_pDlg) {
    _pDlg->DeactivateListWeldVisualization();
    _pDlg->SetVisibility(QIVDlgHide);
  }
  QIVStateCommand::Cancel();
}

bool ZELVekBIWReallocateWeldCmd::CloseReallocateWeldDlg(void*) {
  ZELTraceScope scope(kClass, "CloseReallocateWeldDlg");
  if (_pDlg) {
    _pDlg->DeactivateListWeldVisualization();
    _pDlg->SetVisibility(QIVDlgHide);
  }
  return true;
}

bool ZELVekBIWReallocateWeldCmd::ActivityOriginSelected(void*) {
  ZELTraceScope scope(kClass, "ActivityOriginSelected");
  const QIVPathElement_var path = _pOriginAgent->GetElementValue();
  _origin = path ? QIVBaseUnknown_var(path->FindFromLeaf<QIVISPPActivity>()) : QIVBaseUnknown_var();
  ZELFastenerServices::GetWeldFromActivity(_origin, _originWelds, 0, 0);
  if (!_originWelds.IsEmpty()) {
    _pDlg->UpdateList(&_originWelds);
    _pDlg->SetVisibility(QIVDlgShow);
    return true;
  }
  MessageOriginActivityNoWelds();
  // The run ends through the close transition of the next state, as if the
  // planner had closed the dialog.
  if (QIVDispatcher* dispatcher = GetDispatcher())
    dispatcher->PostNotification(this, QIVNotification{QIVDialog::GetDiaCANCELNotification(), _pDlg});
  return true;
}

bool ZELVekBIWReallocateWeldCmd::WeldSelected(void*) {
  ZELTraceScope scope(kClass, "WeldSelected");
  std::unordered_set<const void*> listed;
  for (const QIVBaseUnknown_var& fastener : _originWelds) listed.insert(fastener.Identity());
  QIVListValQIVBaseUnknown_var picked;
  for (const QIVPathElement_var& path : _pWeldAgent->GetListOfValues())
    if (const QIVBaseUnknown_var leaf = path ? path->GetLeaf() : QIVBaseUnknown_var();
        leaf && listed.count(leaf.Identity()))
      picked.Append(leaf);
  _pDlg->SetSelectedWelds(picked, _pWeldAgent->IsExtendSelection());
  _pDlg->UpdateCSO();
  return true;
}

bool ZELVekBIWReallocateWeldCmd::checkForRoot(QIVPathElementAgent* agent, void*) {
  const QIVBaseUnknown_var candidate = agent->GetValue();
  if (!candidate || QIVISPPActivityRoot_var(candidate)) return false;
  return IsValidActivity(candidate);
}

bool ZELVekBIWReallocateWeldCmd::IsValidActivity(const QIVBaseUnknown_var& activity) const {
  if (!_pDlg) return false;
  for (const QIVBaseUnknown_var& fastener : _pDlg->GetSelectedWelds())
    if (SUCCEEDED(ZELFastenerServices::IsValidWeldForActivity(fastener, activity))) return true;
  return false;
}

bool ZELVekBIWReallocateWeldCmd::ActivityDestinationSelected(void*) {
  ZELTraceScope scope(kClass, "ActivityDestinationSelected");
  _pDlg->DeactivateListWeldVisualization();
  QIVListValQIVBaseUnknown_var selected = _pDlg->GetSelectedWelds();
  if (selected.IsEmpty()) return true;
  _destination = _pDestinationAgent->GetValue();

  bool partLoadConstraint = false;
  ZELVekBIWSettingsServices::GetPartLoadConstraint(partLoadConstraint);
  const int before = selected.Size();
  ZELFastenerServices::ValidateListOfFastenersForAssignmentToActivity(selected, _destination,
                                                                      partLoadConstraint);
  const bool notLoaded = selected.Size() < before;

  if (_destination.Identity() == _origin.Identity()) {
    MessageWeldAlreadyAssigned();
  } else {
    ZELFastenerServices::ReallocateWeld(_origin, _destination, selected);
    ZELFastenerServices::GetWeldFromActivity(_origin, _originWelds, 0, 0);
    _pDlg->UpdateList(&_originWelds);
    _pDlg->UpdateCSO();
    ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(_origin);
    ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(_destination);
    _destination = nullptr;
  }
  if (notLoaded) MessageWeldNotFromLoadedParts();
  return true;
}

void ZELVekBIWReallocateWeldCmd::MessageWeldAlreadyAssigned() {
  ZELCatalogMessage{
      kClass,
      "WeldAlreadyAssignedMessageId",
      "One or more selected fasteners are already assigned to the \n targeted activity. No action will "
      "be taken on those fasteners",
      "WeldAlreadyAssignedTitleId",
      "NOTICE",
      ZELVekBIWStyle::ReportBox}
      .Display(_pDlg);
}

void ZELVekBIWReallocateWeldCmd::MessageWeldNotFromLoadedParts() {
  ZELCatalogMessage{
      kClass,
      "MessageWeldNotFromLoadedParts",
      "One or more fasteners are not from the loaded parts.\nThese fasteners will not be reallocated.",
      "MessageWeldNotFromLoadedPartsTitle",
      "Warning",
      ZELVekBIWStyle::WarningBox}
      .Display(_pDlg);
}

void ZELVekBIWReallocateWeldCmd::MessageOriginActivityNoWelds() {
  ZELCatalogMessage{kClass,
                    "MessageOriginActivityNoWelds",
                    "The activity contains no fasteners.",
                    "MessageOriginActivityNoWeldsTitle",
                    "Information",
                    ZELVekBIWStyle::ReportBox}
      .Display(_pDlg);
}
