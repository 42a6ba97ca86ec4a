#include "ZELVekBIWAutoAssignWeldCmd.h"

#include <algorithm>

#include "QIVCommandDeletion.h"
#include "QIVDlgNotify.h"
#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemLink.h"
#include "QIVISPPItemMgt.h"
#include "QIVInit.h"
#include "QIVMsgCatalog.h"
#include "ZELBIWActivityIntelligenceServices.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELVekBIWAutoAssignWeldDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWAutoAssignWeldCmd";
constexpr const char* kDialogClass = "ZELVekBIWAutoAssignWeldDlg";
// The reason code that selects the "nothing to assign" text.
constexpr int kNoWeldsToAssign = 3;
constexpr unsigned long kWarningStyle = ZELVekBIWStyle::WarningBox;
// The host's option words of an item link made by an assignment.
constexpr int kItemLinkOptions[] = {4, 1};

using Identities = std::unordered_set<const QIVBaseUnknown*>;

QIVUnicodeString AliasOf(const QIVBaseUnknown_var& object) {
  QIVIAlias_var alias(object);
  return alias ? alias->GetAlias() : QIVUnicodeString();
}

QIVUnicodeString ActivityName(const QIVBaseUnknown_var& activity) {
  QIVISPPActivity_var named(activity);
  return named ? named->GetName() : QIVUnicodeString();
}

// Post-order: every activity after all of its descendants, each once.
void AppendDescendants(const QIVBaseUnknown_var& activity, QIVListValQIVBaseUnknown_var& list, Identities& listed) {
  QIVISPPChildManagement_var children(activity);
  if (!children) return;
  const std::unique_ptr<QIVListValQIVBaseUnknown_var> direct = children->GetChildren();
  if (!direct) return;
  for (const QIVBaseUnknown_var& child : *direct) {
    AppendDescendants(child, list, listed);
    if (listed.insert(child.Identity()).second) list.Append(child);
  }
}

}  // namespace

ZELVekBIWAutoAssignWeldCmd::ZELVekBIWAutoAssignWeldCmd(const QIVBaseUnknown_var& activity)
    : QIVStateCommand("ZELVekBIWAutoAssignWeldCmd", ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive), _activity(activity) {
  ZELTraceScope scope(kClass, "Constructor");
  List joints;
  std::vector<List> parts;
  GetAllJointsAndAssociatedParts(joints, parts);
  _jointTable.Load(std::move(joints), std::move(parts));
}

ZELVekBIWAutoAssignWeldCmd::~ZELVekBIWAutoAssignWeldCmd() {
  ZELTraceScope scope(kClass, "Destructor");
  for (QIVDialogAgent** agent : {&_pCancelAgent, &_pOKAgent, &_pMessageAgent}) {
    if (*agent) QIVCommandDeletion(*agent);
    *agent = nullptr;
  }
  if (_pSelectActivityAgent) QIVCommandDeletion(_pSelectActivityAgent);
  _pSelectActivityAgent = nullptr;
  if (_pDlg) QIVCommandDeletion(_pDlg);
  _pDlg = nullptr;
  _weldsToAssign.RemoveAll();
  _activitiesToAssign.RemoveAll();
  _unassignedWelds.RemoveAll();
}

const char* ZELVekBIWAutoAssignWeldCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWAutoAssignWeldCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pCancelAgent = new QIVDialogAgent("CancelAgent");
  _pOKAgent = new QIVDialogAgent("OKAgent");
  _pMessageAgent = new QIVDialogAgent("MessageAgent");

  QIVDialogState* waiting = GetInitialState("pState1");
  QIVDialogState* shown = AddDialogState("pState2");
  if (_activity) {
    AddTransition(waiting, shown, nullptr, Action(this, &ZELVekBIWAutoAssignWeldCmd::MakePrepToAssignWeldsV2));
  } else {
    _pSelectActivityAgent = new QIVPathElementAgent("SelectActivity", QIVISPPActivity::ClassName());
    AddCSOClient(_pSelectActivityAgent);
    waiting->AddDialogAgent(_pSelectActivityAgent);
    AddTransition(waiting, shown, IsOutputSetCondition(_pSelectActivityAgent),
                  Action(this, &ZELVekBIWAutoAssignWeldCmd::MakePrepToAssignWeldsV2));
  }

  shown->AddDialogAgent(_pMessageAgent);
  shown->AddDialogAgent(_pOKAgent);
  shown->AddDialogAgent(_pCancelAgent);
  AddTransition(shown, nullptr, IsOutputSetCondition(_pMessageAgent));
  AddTransition(shown, nullptr, IsOutputSetCondition(_pOKAgent),
                Action(this, &ZELVekBIWAutoAssignWeldCmd::AssignWelds));
  AddTransition(shown, nullptr, IsOutputSetCondition(_pCancelAgent));
}

void ZELVekBIWAutoAssignWeldCmd::Cancel() {
  ZELTraceScope scope(kClass, "Cancel");
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  QIVStateCommand::Cancel();
}

void ZELVekBIWAutoAssignWeldCmd::DisplayDialog() {
  ZELTraceScope scope(kClass, "DisplayDialog");
  if (!_pDlg) {
    _pDlg = new ZELVekBIWAutoAssignWeldDlg(this);
    _pDlg->Build();
    _pOKAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaOKNotification());
    _pCancelAgent->AcceptOnNotify(_pDlg, QIVDialog::GetDiaCANCELNotification());
    _pCancelAgent->AcceptOnNotify(_pDlg, QIVDialog::GetWindCloseNotification());
  }
  _pDlg->SetVisibility(QIVDlgShow);
}

void ZELVekBIWAutoAssignWeldCmd::DisplayNoWeldsToAssign() {
  ZELTraceScope scope(kClass, "DisplayNoWeldsToAssign");
  const QIVUnicodeString title =
      QIVMsgCatalog::BuildMessage(kDialogClass, "ErrorMessage.Title", nullptr, 0, "Automatic Fastener Assignment");
  // Reason 3, the only one the command gives, selects the default text.
  const QIVUnicodeString text =
      QIVMsgCatalog::BuildMessage(kDialogClass, "ErrorMessageDefault", nullptr, 0,
                                  "No unassigned fastener joins only parts that reach these activities.");
  QIVVar<QIVDlgNotify> box = QIVMake<QIVDlgNotify>(this, "Warning", kWarningStyle);
  _pMessageAgent->AcceptOnNotify(box.get(), QIVDialog::GetDiaOKNotification());
  _pMessageAgent->AcceptOnNotify(box.get(), QIVDialog::GetWindCloseNotification());
  box->Display(text, title);
}

void ZELVekBIWAutoAssignWeldCmd::GetAllChildren(const QIVBaseUnknown_var& activity, std::unique_ptr<List>& list) {
  if (!list) list = std::make_unique<List>();
  Identities listed;
  for (const QIVBaseUnknown_var& entry : *list) listed.insert(entry.Identity());
  AppendDescendants(activity, *list, listed);
}

void ZELVekBIWAutoAssignWeldCmd::GetListOfAssignableActivitiesV2(const QIVBaseUnknown_var& activity) {
  ZELTraceScope scope(kClass, "GetListOfAssignableActivitiesV2");
  _assignableActivities = std::make_unique<List>();
  if (!activity) return;
  std::unique_ptr<List> descendants;
  GetAllChildren(activity, descendants);
  for (const QIVBaseUnknown_var& descendant : *descendants)
    if (QIVISPPActivity_var(descendant)) _assignableActivities->Append(descendant);
  _assignableActivities->Append(activity);
}

void ZELVekBIWAutoAssignWeldCmd::SetListOfUnassignedWelds() {
  ZELTraceScope scope(kClass, "SetListOfUnassignedWelds");
  QIVBaseUnknown_var document;
  QIVBaseUnknown_var container;
  QIVInit_var roots;
  if (FAILED(ZELFastenerServices::GetCurrentDocument(document)) || !(roots = document) ||
      FAILED(roots->GetRootContainer("ZELFPPContainer", container)))
    return;
  ZELIBIWFeatureContainer_var features(container);
  if (!features) return;
  List fasteners;
  features->GetFeatures(fasteners, ZELIBIWFastener::ClassName());
  for (const QIVBaseUnknown_var& fastener : fasteners) {
    ZELIBIWFeature_var feature(fastener);
    if (!feature) continue;
    const int assignments = feature->GetNumberOfAssignments() + ZELFastenerServices::GetNumberOfK2Assignments(fastener);
    if (assignments >= 1 || _unassignedPosition.count(fastener.Identity())) continue;
    _unassignedWelds.Append(fastener);
    _unassignedPosition.emplace(fastener.Identity(), _unassignedWelds.Size());
  }
}

void ZELVekBIWAutoAssignWeldCmd::GetAllJointsAndAssociatedParts(List& joints, std::vector<List>& parts) {
  ZELTraceScope scope(kClass, "GetAllJointsAndAssociatedParts");
  ZELVekBIWJointTable::Read(joints, parts);
}

void ZELVekBIWAutoAssignWeldCmd::GetAllPartsFromMfgAssembly(const QIVBaseUnknown_var& assembly, List& parts) {
  ZELVekBIWJointTable::PartsOfAssembly(assembly, parts);
}

ZELVekBIWAutoAssignWeldCmd::List ZELVekBIWAutoAssignWeldCmd::GetStickyFasteners(const List& items) const {
  return _jointTable.Sticky(items);
}

void ZELVekBIWAutoAssignWeldCmd::Propose(const QIVBaseUnknown_var& fastener, const QIVBaseUnknown_var& activity) {
  _fastenerNames.Append(AliasOf(fastener));
  _weldsToAssign.Append(fastener);
  _activityNames.Append(ActivityName(activity));
  _activitiesToAssign.Append(activity);
  _proposed.insert(fastener.Identity());
}

bool ZELVekBIWAutoAssignWeldCmd::MakePrepToAssignWeldsV2(void*) {
  ZELTraceScope scope(kClass, "MakePrepToAssignWeldsV2");
  const QIVBaseUnknown_var activity =
      _activity ? _activity : (_pSelectActivityAgent ? _pSelectActivityAgent->GetValue() : QIVBaseUnknown_var());
  if (activity) GetListOfAssignableActivitiesV2(activity);
  SetListOfUnassignedWelds();
  _fastenerNames.RemoveAll();
  _activityNames.RemoveAll();

  if (_assignableActivities) {
    for (const QIVBaseUnknown_var& assignable : *_assignableActivities) {
      QIVISPPItemMgt_var items(assignable);
      if (!items) continue;
      const List sticky = GetStickyFasteners(items->GetItems("Item"));
      List candidates;
      for (const QIVBaseUnknown_var& joint : sticky) ZELVekBIWJointTable::AppendFasteners(joint, candidates);
      for (const QIVBaseUnknown_var& candidate : candidates) {
        if (!QIVIAlias_var(candidate) || !ZELIBIWFastener_var(candidate)) continue;
        if (!_unassignedPosition.count(candidate.Identity()) || _proposed.count(candidate.Identity()) ||
            FAILED(ZELFastenerServices::IsValidWeldForActivity(candidate, assignable)))
          continue;
        Propose(candidate, assignable);
      }
    }
  }

  if (!_fastenerNames.IsEmpty() && !_activityNames.IsEmpty()) {
    DisplayDialog();
    _pDlg->Display(&_fastenerNames, &_activityNames);
  } else {
    _reasonCode = kNoWeldsToAssign;
    DisplayNoWeldsToAssign();
  }
  return true;
}

bool ZELVekBIWAutoAssignWeldCmd::AssignWelds(void*) {
  ZELTraceScope scope(kClass, "AssignWelds");
  if (_pDlg) _pDlg->SetVisibility(QIVDlgHide);
  if (_weldsToAssign.Size() != _activitiesToAssign.Size()) return false;
  for (int i = 1; i <= _weldsToAssign.Size(); ++i) {
    const QIVBaseUnknown_var fastener = _weldsToAssign[i];
    const QIVBaseUnknown_var activity = _activitiesToAssign[i];
    QIVISPPItemMgt_var items(activity);
    if (!fastener || !activity || !items) continue;
    QIVBaseUnknown_var link;
    if (SUCCEEDED(items->AddItem(fastener, QIVSPPItemAssigned, &link)))
      if (QIVISPPItemLink_var options(link); options) options->SetOptions(kItemLinkOptions[0], kItemLinkOptions[1]);
    // The cycle time depends only on the activity's fasteners: it is
    // recomputed once the activity's last pair is in, not after each one.
    const bool lastOfActivity = i == _weldsToAssign.Size() || !(_activitiesToAssign[i + 1] == activity);
    if (lastOfActivity) ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(activity);
    if (const auto position = _unassignedPosition.find(fastener.Identity()); position != _unassignedPosition.end())
      _unassignedWelds[position->second] = QIVBaseUnknown_var();
  }
  return true;
}

void ZELVekBIWAutoAssignWeldCmd::UpdateListOfWeldsToAssign(const int* rows, int count) {
  ZELTraceScope scope(kClass, "UpdateListOfWeldsToAssign");
  if (!rows || count <= 0) return;
  std::vector<char> removed(static_cast<std::size_t>(_weldsToAssign.Size()), 0);
  for (int i = 0; i < count; ++i)
    if (rows[i] >= 0 && rows[i] < _weldsToAssign.Size()) removed[static_cast<std::size_t>(rows[i])] = 1;
  // One pass keeps the two lists parallel however many rows go.
  List welds;
  List activities;
  for (int i = 1; i <= _weldsToAssign.Size(); ++i) {
    if (removed[static_cast<std::size_t>(i - 1)]) {
      _proposed.erase(_weldsToAssign[i].Identity());
      continue;
    }
    welds.Append(_weldsToAssign[i]);
    activities.Append(_activitiesToAssign[i]);
  }
  _weldsToAssign = std::move(welds);
  _activitiesToAssign = std::move(activities);
  RebuildNames();
  if (!_pDlg) return;
  if (_fastenerNames.IsEmpty()) _pDlg->ClearTable();
  _pDlg->Display(&_fastenerNames, &_activityNames);
}

void ZELVekBIWAutoAssignWeldCmd::RebuildNames() {
  _fastenerNames.RemoveAll();
  _activityNames.RemoveAll();
  for (int i = 1; i <= _weldsToAssign.Size(); ++i) {
    _fastenerNames.Append(AliasOf(_weldsToAssign[i]));
    _activityNames.Append(ActivityName(_activitiesToAssign[i]));
  }
}
