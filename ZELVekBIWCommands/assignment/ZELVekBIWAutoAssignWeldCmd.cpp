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
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIMfgAssembly.h"
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

void CollectParts(const QIVBaseUnknown_var& assembly, QIVListValQIVBaseUnknown_var& parts, Identities& seen) {
  ZELIMfgAssembly_var typed(assembly);
  if (!typed || !seen.insert(assembly.Identity()).second) return;
  QIVListValQIVBaseUnknown_var own;
  typed->GetParts(own);
  parts.Append(own);
  QIVListValQIVBaseUnknown_var subAssemblies;
  typed->GetSubAssemblies(subAssemblies);
  for (const QIVBaseUnknown_var& sub : subAssemblies) CollectParts(sub, parts, seen);
}
}  // namespace

ZELVekBIWAutoAssignWeldCmd::ZELVekBIWAutoAssignWeldCmd(const QIVBaseUnknown_var& activity)
    : QIVStateCommand("ZELVekBIWAutoAssignWeldCmd", ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive), _activity(activity) {
  ZELTraceScope scope(kClass, "Constructor");
  GetAllJointsAndAssociatedParts(_joints, _jointParts);
  IndexJoints();
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
  _jointParts.clear();
  _joints.RemoveAll();
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
  QIVBaseUnknown_var document;
  QIVBaseUnknown_var container;
  if (FAILED(ZELFastenerServices::GetCurrentDocument(document)) ||
      FAILED(ZELFastenerServices::GetFeatContainerFromDocument(document, container)))
    return;
  ZELIBIWFeatureContainer_var features(container);
  ZELIBIWFeaturePartRelations_var relations(container);
  if (!features || !relations) return;
  List all;
  features->GetFeatures(all);
  for (const QIVBaseUnknown_var& feature : all) {
    if (!ZELIBIWFeature_var(feature)) continue;
    List related;
    if (FAILED(relations->GetRelatedParts(feature, related)) || related.IsEmpty()) continue;
    joints.Append(feature);
    parts.push_back(std::move(related));
  }
}

void ZELVekBIWAutoAssignWeldCmd::IndexJoints() {
  for (int joint = 0; joint < static_cast<int>(_jointParts.size()); ++joint) {
    for (const QIVBaseUnknown_var& part : _jointParts[joint]) {
      std::vector<int>& joints = _jointsOfPart[part.Identity()];
      if (joints.empty() || joints.back() != joint) joints.push_back(joint);
    }
  }
}

void ZELVekBIWAutoAssignWeldCmd::GetAllPartsFromMfgAssembly(const QIVBaseUnknown_var& assembly, List& parts) {
  Identities seen;
  CollectParts(assembly, parts, seen);
}

ZELVekBIWAutoAssignWeldCmd::List ZELVekBIWAutoAssignWeldCmd::GetStickyFasteners(const List& items) const {
  // Assemblies and plain parts, each in the items' order.
  std::vector<QIVBaseUnknown_var> assemblies;
  Identities plainParts;
  for (int i = items.Size(); i >= 1; --i) {
    if (ZELIMfgAssembly_var(items[i]))
      assemblies.insert(assemblies.begin(), items[i]);
    else if (items[i])
      plainParts.insert(items[i].Identity());
  }
  std::vector<Identities> assemblyParts(assemblies.size());
  for (std::size_t a = 0; a < assemblies.size(); ++a) {
    List parts;
    GetAllPartsFromMfgAssembly(assemblies[a], parts);
    for (const QIVBaseUnknown_var& part : parts) assemblyParts[a].insert(part.Identity());
  }

  // Only a joint relating some part that reaches the activity can be
  // covered: those are found through the index, then kept in table order.
  std::vector<int> candidates;
  auto gather = [&](const QIVBaseUnknown* part) {
    const auto found = _jointsOfPart.find(part);
    if (found != _jointsOfPart.end()) candidates.insert(candidates.end(), found->second.begin(), found->second.end());
  };
  for (const QIVBaseUnknown* part : plainParts) gather(part);
  for (const Identities& parts : assemblyParts)
    for (const QIVBaseUnknown* part : parts) gather(part);
  std::sort(candidates.begin(), candidates.end());
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

  List sticky;
  Identities covered;
  std::vector<const QIVBaseUnknown*> inAssembly;
  for (int joint : candidates) {
    const List& jointParts = _jointParts[joint];
    covered.clear();
    for (const QIVBaseUnknown_var& part : jointParts)
      if (plainParts.count(part.Identity())) covered.insert(part.Identity());
    for (const Identities& parts : assemblyParts) {
      inAssembly.clear();
      for (const QIVBaseUnknown_var& part : jointParts)
        if (parts.count(part.Identity())) inAssembly.push_back(part.Identity());
      // A joint whose parts all come inside one assembly is that
      // assembly's own: it was made before the assembly reached here.
      if (!inAssembly.empty() && static_cast<int>(inAssembly.size()) < jointParts.Size())
        covered.insert(inAssembly.begin(), inAssembly.end());
    }
    if (static_cast<int>(covered.size()) == jointParts.Size()) sticky.Append(_joints[joint + 1]);
  }
  return sticky;
}

void ZELVekBIWAutoAssignWeldCmd::AppendCandidates(const QIVBaseUnknown_var& joint, List& candidates) {
  ZELIBIWFeatureChildMgmt_var group(joint);
  if (!group) {
    if (ZELIBIWFastener_var(joint)) candidates.Append(joint);
    return;
  }
  List children;
  group->GetChildren(children);
  for (const QIVBaseUnknown_var& child : children) {
    if (ZELIBIWFastener_var(child))
      candidates.Append(child);
    else if (ZELIBIWFeatureChildMgmt_var(child))
      AppendCandidates(child, candidates);
  }
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
      for (const QIVBaseUnknown_var& joint : sticky) AppendCandidates(joint, candidates);
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
