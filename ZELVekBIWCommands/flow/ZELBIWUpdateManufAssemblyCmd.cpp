#include "ZELBIWUpdateManufAssemblyCmd.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <vector>

#include "QIVApplicationFrame.h"
#include "QIVCommandDeletion.h"
#include "QIVFrmEditor.h"
#include "QIVIDocument.h"
#include "QIVILinkableObject.h"
#include "QIVIModelObject.h"
#include "QIVIRedrawEvent.h"
#include "QIVISPPAbstractActivity.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItem.h"
#include "QIVISPPItemMgt.h"
#include "QIVISPPProductIO.h"
#include "QIVISpecObject.h"
#include "QIVMsgCatalog.h"
#include "QIVProgress.h"
#include "ZELBIWUpdateManufAssemblyPanel.h"
#include "ZELEMfgAssemblyFactory.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWItemInfo.h"
#include "ZELIMfgAssembly.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELEnvironmentSwitches.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELBIWUpdateManufAssemblyCmd";
constexpr const char* kLink = "-->";

// A picked activity stays pickable again in the same state.
constexpr std::uint64_t kRepeatingPick = ZELVekBIWAgentBehavior::RepeatingPick;
constexpr unsigned long kWarningStyle = ZELVekBIWStyle::FlowWarningBox;

// The older trace form of a few methods: no blank before the dashes.
class CompactTrace {
 public:
  explicit CompactTrace(const char* method) : _prefix(QIVUnicodeString(kClass) + "::" + method) {
    ZELTraceLine(_prefix + "--- in");
  }
  ~CompactTrace() { ZELTraceLine(_prefix + "--- out"); }
  CompactTrace(const CompactTrace&) = delete;
  CompactTrace& operator=(const CompactTrace&) = delete;

 private:
  QIVUnicodeString _prefix;
};

QIVUnicodeString LabelOf(const QIVBaseUnknown_var& activity) {
  QIVISPPAbstractActivity_var abstract(activity);
  return abstract ? abstract->GetLabel() : QIVUnicodeString();
}

// The products an activity works on: its parts, then its assemblies.
QIVListValQIVBaseUnknown_var HandledProducts(const ZELIBIWItemInfo_var& info) {
  QIVListValQIVBaseUnknown_var handled, assemblies;
  if (!info) return handled;
  info->GetHandledParts(handled);
  info->GetHandledAssemblies(assemblies);
  handled.Append(assemblies);
  return handled;
}

// The products of an activity's inputs, then of its outputs.
QIVListValQIVBaseUnknown_var InputAndOutputProducts(const ZELIBIWItemInfo_var& info) {
  QIVListValQIVBaseUnknown_var products;
  if (!info) return products;
  for (int direction : {QIVSPPProductInput, QIVSPPProductOutput}) {
    QIVListValQIVBaseUnknown_var productIOs;
    info->GetProductIOs(productIOs, direction);
    for (const QIVBaseUnknown_var& entry : productIOs) {
      QIVBaseUnknown_var product;
      if (QIVISPPProductIO_var productIO(entry);
          productIO && SUCCEEDED(productIO->GetProduct(product)) && product)
        products.Append(product);
    }
  }
  return products;
}

QIVListValQIVBaseUnknown_var NextActivities(const QIVBaseUnknown_var& activity, const char* type) {
  QIVISPPFlowMgt_var flow(activity);
  return flow ? flow->GetNextActivities(type) : QIVListValQIVBaseUnknown_var();
}

QIVUnicodeString CatalogText(const QIVMsgCatalog& catalog, const char* key, const char* text) {
  return catalog.GetCatalogMsg(key, text).BuildMessage();
}

// Activities are named in sets and links by their identity.
using Identities = std::unordered_set<const QIVBaseUnknown*>;
Identities IdentitiesOf(const QIVListValQIVBaseUnknown_var& objects) {
  Identities identities;
  identities.reserve(objects.Size());
  for (const QIVBaseUnknown_var& object : objects) identities.insert(object.Identity());
  return identities;
}
}  // namespace

ZELBIWUpdateManufAssemblyCmd::ZELBIWUpdateManufAssemblyCmd()
    : QIVStateCommand("ZELBIWUpdateManufAssemblyCmd", 0, QIVCommandMode::Exclusive),
      _pCreatedOutputs(std::make_unique<QIVListValQIVBaseUnknown_var>()) {
  ZELTraceScope scope(kClass, "Constructor", ZELTraceScope::Dashes);
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor()) {
    _editor = QIVVar<QIVFrmEditor>(editor);
    _pHSO = editor->GetHSO();
  }
}

ZELBIWUpdateManufAssemblyCmd::~ZELBIWUpdateManufAssemblyCmd() {
  ZELTraceScope scope(kClass, "Destructor", ZELTraceScope::Dashes);
  for (QIVDialogAgent** agent : {&_pCancelAgent, &_pOKAgent, &_pUpdateAllAgent, &_pUpdateOneAgent,
                                 &_pSelectModeAgent, &_pAllModeAgent}) {
    if (*agent) QIVCommandDeletion(*agent);
    *agent = nullptr;
  }
  if (_pSelectAgent) QIVCommandDeletion(_pSelectAgent);
  _pSelectAgent = nullptr;
  if (_pPanel) QIVCommandDeletion(_pPanel);
  _pPanel = nullptr;
  if (_pHSO) _pHSO->Empty();
  _pHSO = nullptr;
  _editor = nullptr;
  _selectedActivity = nullptr;
  _pCreatedOutputs.reset();
}

const char* ZELBIWUpdateManufAssemblyCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELBIWUpdateManufAssemblyCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph", ZELTraceScope::Dashes);
  _pPanel = new ZELBIWUpdateManufAssemblyPanel("ManufAssly", 0);
  _pPanel->SetFather(this);
  _pPanel->SetVisibility(QIVDlgShow);

  _pCancelAgent = new QIVDialogAgent("CancelAgent");
  _pCancelAgent->AcceptOnNotify(_pPanel, QIVDialog::GetDiaCANCELNotification());
  _pCancelAgent->AcceptOnNotify(_pPanel, QIVDialog::GetDiaCLOSENotification());
  _pCancelAgent->AcceptOnNotify(_pPanel, QIVDialog::GetWindCloseNotification());
  _pOKAgent = new QIVDialogAgent("OKAgent");
  _pOKAgent->AcceptOnNotify(_pPanel, QIVDialog::GetDiaOKNotification());
  _pUpdateAllAgent = new QIVDialogAgent("UpdateAllAgent");
  _pUpdateAllAgent->AcceptOnNotify(_pPanel, QIVNotificationKind::MDIMaximize);
  _pUpdateOneAgent = new QIVDialogAgent("UpdateOneAgent");
  _pUpdateOneAgent->AcceptOnNotify(_pPanel, QIVNotificationKind::Help);
  _pSelectModeAgent = new QIVDialogAgent("SelectModeAgent");
  _pSelectModeAgent->AcceptOnNotify(_pPanel, QIVNotificationKind::Previous);
  _pAllModeAgent = new QIVDialogAgent("AllModeAgent");
  _pAllModeAgent->AcceptOnNotify(_pPanel, QIVNotificationKind::Next);

  _pSelectAgent = new QIVPathElementAgent("SelectActivity");
  _pSelectAgent->SetElementType(QIVISPPActivity::ClassName());
  AddCSOClient(_pSelectAgent);
  _pSelectAgent->SetBehavior(kRepeatingPick);
  _pSelectAgent->SetFilter(Filter(this, &ZELBIWUpdateManufAssemblyCmd::IsValidActivity));

  for (QIVDialogAgent* agent :
       {_pCancelAgent, _pAllModeAgent, _pSelectModeAgent, static_cast<QIVDialogAgent*>(_pSelectAgent),
        _pUpdateAllAgent, _pUpdateOneAgent})
    agent->InitializeAcquisition();

  QIVDialogState* initial = GetInitialState("InitialState");
  for (QIVDialogAgent* agent : {_pOKAgent, _pCancelAgent, _pUpdateAllAgent, _pSelectModeAgent})
    initial->AddDialogAgent(agent);
  QIVDialogState* selecting = AddDialogState("SelectActivity");
  for (QIVDialogAgent* agent : {static_cast<QIVDialogAgent*>(_pSelectAgent), _pOKAgent, _pCancelAgent,
                                _pSelectModeAgent, _pUpdateOneAgent, _pUpdateAllAgent, _pAllModeAgent})
    selecting->AddDialogAgent(agent);

  using Self = ZELBIWUpdateManufAssemblyCmd;
  struct Row {
    QIVDialogState* from;
    QIVDialogAgent* agent;
    QIVDialogState* to;
    bool (Self::*action)(void*);
  };
  const Row rows[] = {
      {initial, _pCancelAgent, nullptr, &Self::Cancel},
      {initial, _pOKAgent, nullptr, &Self::CloseDlg},
      {initial, _pUpdateAllAgent, initial, &Self::UpdateAllActs},
      {initial, _pSelectModeAgent, selecting, &Self::InitializeAgents},
      {selecting, _pSelectAgent, selecting, &Self::FillActivity},
      {selecting, _pUpdateOneAgent, selecting, &Self::UpdateSingleAct},
      {selecting, _pUpdateAllAgent, initial, &Self::UpdateAllActs},
      {selecting, _pAllModeAgent, initial, &Self::InitializeAgents},
      {selecting, _pCancelAgent, nullptr, &Self::Cancel},
      {selecting, _pOKAgent, nullptr, &Self::CloseDlg},
  };
  for (const Row& row : rows)
    AddTransition(row.from, row.to, IsOutputSetCondition(row.agent), Action(this, row.action));
}

bool ZELBIWUpdateManufAssemblyCmd::IsValidActivity(QIVPathElementAgent*, void*) {
  return _pPanel && _pSelectAgent && ZELIBIWItemInfo_var(_pSelectAgent->GetValue());
}

bool ZELBIWUpdateManufAssemblyCmd::FillActivity(void*) {
  ZELTraceScope scope(kClass, "FillActivity", ZELTraceScope::Dashes);
  if (_pHSO) _pHSO->Empty();
  _selectedActivity = _pSelectAgent->GetValue();
  if (QIVISPPAbstractActivity_var abstract(_selectedActivity); abstract) {
    _pPanel->DisplayActivity(abstract->GetLabel());
    if (_pHSO) _pHSO->AddElement(QIVMake<QIVPathElement>(_selectedActivity.get()).get());
  }
  _pSelectAgent->InitializeAcquisition();
  _pSelectModeAgent->InitializeAcquisition();
  return true;
}

bool ZELBIWUpdateManufAssemblyCmd::InitializeAgents(void*) {
  ZELTraceScope scope(kClass, "InitializeAgents", ZELTraceScope::Dashes);
  _pAllModeAgent->InitializeAcquisition();
  _pSelectModeAgent->InitializeAcquisition();
  _pSelectAgent->InitializeAcquisition();
  if (_pHSO) _pHSO->Empty();
  _pPanel->DisplayActivity("");
  return true;
}

bool ZELBIWUpdateManufAssemblyCmd::UpdateAllActs(void*) {
  ZELTraceScope scope(kClass, "UpdateAllActs", ZELTraceScope::Dashes);
  for (QIVDialogAgent* agent :
       {_pAllModeAgent, _pSelectModeAgent, static_cast<QIVDialogAgent*>(_pSelectAgent), _pUpdateAllAgent,
        _pUpdateOneAgent})
    agent->InitializeAcquisition();
  _acyclic.clear();
  QIVISPPActivityRoot_var process;
  if (FAILED(ZELBIWUpdateManufAssemblyPanel::GetRootProcess(process))) return true;
  QIVListValQIVBaseUnknown_var starts;
  GetValidActivityToStart(QIVBaseUnknown_var(process), starts);
  long long done = 0;
  for (const QIVBaseUnknown_var& start : starts) {
    UpdateOutputProductForActivity(start, 0);
    QIVProgressWatcher::Raise({"updating assemblies", ++done, starts.Size()});
  }
  DisplayWarningWindow();
  return true;
}

bool ZELBIWUpdateManufAssemblyCmd::UpdateSingleAct(void*) {
  ZELTraceScope scope(kClass, "UpdateSingleAct", ZELTraceScope::Dashes);
  for (QIVDialogAgent* agent : {_pSelectModeAgent, static_cast<QIVDialogAgent*>(_pSelectAgent),
                                _pAllModeAgent, _pUpdateAllAgent, _pUpdateOneAgent})
    agent->InitializeAcquisition();
  _pCreatedOutputs->RemoveAll();
  _acyclic.clear();
  if (_selectedActivity) UpdateOutputProductForActivity(_selectedActivity, 1);
  DisplayWarningWindow();
  return true;
}

bool ZELBIWUpdateManufAssemblyCmd::CloseDlg(void*) {
  ZELTraceScope scope(kClass, "CloseDlg", ZELTraceScope::Dashes);
  RequestDelayedDestruction();
  return true;
}

bool ZELBIWUpdateManufAssemblyCmd::Cancel(void*) {
  ZELTraceScope scope(kClass, "Cancel", ZELTraceScope::Dashes);
  for (const QIVBaseUnknown_var& created : *_pCreatedOutputs) {
    if (!ZELIMfgAssembly_var(created)) continue;
    RemoveWhereeverItemIsInput(created);
    // The output made for the assembly goes with it, so the activity is
    // left as it was before the update.
    QIVListValQIVBaseUnknown_var referrers;
    if (QIVILinkableObject_var linkable(created); linkable) linkable->GetReferencingObjects(referrers);
    for (const QIVBaseUnknown_var& referrer : referrers) {
      QIVISPPProductIO_var output(referrer);
      QIVBaseUnknown_var activity;
      if (!output || output->GetDirection() != QIVSPPProductOutput || FAILED(output->GetActivity(activity)))
        continue;
      if (QIVISPPFlowMgt_var flow(activity); flow) flow->RemoveProductIO(referrer);
    }
    QIVIModelObject_var object(created);
    if (QIVIDocument_var document(object ? object->GetDocument() : QIVBaseUnknown_var()); document)
      document->RemoveObject(created);
  }
  _pCreatedOutputs->RemoveAll();
  return true;
}

void ZELBIWUpdateManufAssemblyCmd::GetValidActivityToStart(const QIVBaseUnknown_var& activity,
                                                           QIVListValQIVBaseUnknown_var& starts) {
  ZELTraceScope scope(kClass, "GetValidActivityToStart", ZELTraceScope::Dashes);
  QIVISPPChildManagement_var childManagement(activity);
  if (!childManagement) return;
  const auto children = childManagement->GetChildren("");
  for (const QIVBaseUnknown_var& child : *children) {
    if (ZELIBIWItemInfo_var(child)) {
      if (!starts.Contains(activity)) starts.Append(activity);
      return;
    }
    if (QIVISPPActivity_var(child)) GetValidActivityToStart(child, starts);
  }
}

bool ZELBIWUpdateManufAssemblyCmd::UpdateOutputProductForActivity(const QIVBaseUnknown_var& activity,
                                                                  int isChild) {
  ZELTraceScope scope(kClass, "UpdateOutputProductForActivity", ZELTraceScope::Dashes);
  if (!activity) return true;
  QIVBaseUnknown_var repeated;
  QIVListValQIVBaseUnknown_var path;
  if (!CheckForCyclicity(activity, repeated, path)) {
    ReportCycle(activity, repeated, path);
    return false;
  }
  // Next links to activities that are not physical escape the cycle check;
  // coming back to an activity still being followed ends the walk there.
  const bool following = isChild == 0;
  if (following && !_flowWalk.insert(activity.Identity()).second) {
    ReportCycle(activity, activity, path);
    return false;
  }
  const auto leave = [&](bool result) {
    if (following) _flowWalk.erase(activity.Identity());
    return result;
  };

  QIVListValQIVBaseUnknown_var children;
  GetAllChildActivities(activity, children);
  for (const QIVBaseUnknown_var& child : children)
    if (!UpdateOutputProductForActivity(child, 1)) return leave(false);

  UpdateOutputManufAssembly(activity);

  if (QIVISPPFlowMgt_var(activity)) {
    for (const QIVBaseUnknown_var& next : NextActivities(activity, "Activity")) {
      UpdateProductLink(activity, next, isChild);
      if (following && !UpdateOutputProductForActivity(next, 0)) return leave(false);
    }
  }
  return leave(true);
}

void ZELBIWUpdateManufAssemblyCmd::GetAllChildActivities(const QIVBaseUnknown_var& parent,
                                                         QIVListValQIVBaseUnknown_var& children) {
  CompactTrace trace("GetAllChildActivities");
  QIVISPPChildManagement_var childManagement(parent);
  if (!childManagement) return;
  const auto all = childManagement->GetChildren("");
  for (const QIVBaseUnknown_var& child : *all)
    if (ZELIBIWItemInfo_var(child)) children.Append(child);

  for (const QIVBaseUnknown_var& child : children) {
    QIVISPPFlowMgt_var flow(child);
    if (!flow || flow->GetPreviousActivities("LogicalActivity").IsEmpty()) continue;
    QIVBaseUnknown_var repeated;
    QIVListValQIVBaseUnknown_var path;
    if (!CheckForCyclicity(child, repeated, path)) ReportCycle(child, repeated, path);
  }
  ReOrderActivitiesForControlFlow(children, 1);
}

bool ZELBIWUpdateManufAssemblyCmd::CheckForCyclicity(const QIVBaseUnknown_var& activity,
                                                     QIVBaseUnknown_var& repeated,
                                                     QIVListValQIVBaseUnknown_var& path) {
  QIVISPPFlowMgt_var flow(activity);
  if (!flow) return true;
  // No cycle is reachable from an activity already walked clean, whatever
  // the path holds, and a clean walk always ends on an empty path.
  if (_acyclic.count(activity.Identity())) {
    path.RemoveAll();
    return true;
  }
  // A walk that comes back to an activity it is still below has found a
  // cycle, even one the shared path lost at a dead end.
  if (!_cycleWalk.insert(activity.Identity()).second) {
    repeated = activity;
    return false;
  }
  struct Leave {
    Identities& walk;
    const QIVBaseUnknown* activity;
    ~Leave() { walk.erase(activity); }
  } leave{_cycleWalk, activity.Identity()};

  bool result = true;
  path.Append(flow->GetPreviousActivities("PhysicalActivity"));
  const QIVListValQIVBaseUnknown_var nexts = flow->GetNextActivities("PhysicalActivity");
  const Identities nextIdentities = IdentitiesOf(nexts);
  for (const QIVBaseUnknown_var& entry : path) {
    if (nextIdentities.count(entry.Identity())) {
      result = false;
      repeated = entry;
      break;
    }
  }
  if (nexts.IsEmpty()) path.RemoveAll();
  QIVBaseUnknown_var examined;
  for (const QIVBaseUnknown_var& next : nexts) {
    if (!result) break;
    examined = next;
    result = CheckForCyclicity(next, repeated, path);
  }
  if (!result && examined) path = QIVListValQIVBaseUnknown_var{examined, repeated};
  if (result) _acyclic.insert(activity.Identity());
  return result;
}

void ZELBIWUpdateManufAssemblyCmd::ReportCycle(const QIVBaseUnknown_var& activity,
                                               const QIVBaseUnknown_var& repeated,
                                               const QIVListValQIVBaseUnknown_var& path) {
  QIVBaseUnknown_var reported = activity, closing = repeated;
  if (path.Size() > 1) {
    reported = path[1];
    closing = path[2];
  }
  QIVUnicodeString key = "CyclicLinks";
  if (QIVISPPAbstractActivity_var abstract(closing); abstract) key += kLink + abstract->GetLabel();
  DisplayWarningWindow(reported, key);
}

void ZELBIWUpdateManufAssemblyCmd::ReOrderActivitiesForControlFlow(QIVListValQIVBaseUnknown_var& activities,
                                                                   int position) {
  CompactTrace trace("ReOrderActivitiesForControlFlow");
  ReOrderFrom(activities, position, CyclicPreviousLinks(activities));
}

// Previous links between activities of one strongly connected group of the
// list close a cycle; following them would move the activities round for
// ever, so the reordering leaves those links out and orders by the others.
ZELBIWUpdateManufAssemblyCmd::LinkSet ZELBIWUpdateManufAssemblyCmd::CyclicPreviousLinks(
    const QIVListValQIVBaseUnknown_var& activities) {
  const int count = activities.Size();
  std::unordered_map<const QIVBaseUnknown*, int> indexOf;
  for (int i = 0; i < count; ++i) indexOf.emplace(activities[i + 1].Identity(), i);
  std::vector<std::vector<int>> previous(count);
  for (int i = 0; i < count; ++i)
    for (const QIVBaseUnknown_var& before : [&] {
           QIVISPPFlowMgt_var flow(activities[i + 1]);
           return flow ? flow->GetPreviousActivities("Activity") : QIVListValQIVBaseUnknown_var();
         }())
      if (auto found = indexOf.find(before.Identity()); found != indexOf.end())
        previous[i].push_back(found->second);

  // Strongly connected groups (Tarjan), walked without recursion so a long
  // flow cannot exhaust the stack.
  std::vector<int> index(count, -1), low(count, 0), group(count, -1), stack;
  std::vector<bool> onStack(count, false);
  int nextIndex = 0, groups = 0;
  for (int root = 0; root < count; ++root) {
    if (index[root] >= 0) continue;
    std::vector<std::pair<int, std::size_t>> frames{{root, 0}};
    index[root] = low[root] = nextIndex++;
    stack.push_back(root);
    onStack[root] = true;
    while (!frames.empty()) {
      auto& [node, edge] = frames.back();
      if (edge < previous[node].size()) {
        const int to = previous[node][edge++];
        if (index[to] < 0) {
          index[to] = low[to] = nextIndex++;
          stack.push_back(to);
          onStack[to] = true;
          frames.emplace_back(to, 0);
        } else if (onStack[to]) {
          low[node] = std::min(low[node], index[to]);
        }
        continue;
      }
      const int done = node;
      frames.pop_back();
      if (!frames.empty()) low[frames.back().first] = std::min(low[frames.back().first], low[done]);
      if (low[done] != index[done]) continue;
      for (int member = -1; member != done;) {
        member = stack.back();
        stack.pop_back();
        onStack[member] = false;
        group[member] = groups;
      }
      ++groups;
    }
  }

  LinkSet cyclic;
  for (int i = 0; i < count; ++i)
    for (int before : previous[i])
      if (group[before] == group[i])
        cyclic.emplace(activities[before + 1].Identity(), activities[i + 1].Identity());
  return cyclic;
}

void ZELBIWUpdateManufAssemblyCmd::ReOrderFrom(QIVListValQIVBaseUnknown_var& activities, int position,
                                               const LinkSet& ignored) {
  for (; activities.Size() > position; ++position) {
    const QIVBaseUnknown_var entry = activities[position];
    QIVISPPFlowMgt_var flow(entry);
    if (!flow) return;
    for (const QIVBaseUnknown_var& before : flow->GetPreviousActivities("Activity")) {
      if (ignored.count({before.Identity(), entry.Identity()})) continue;
      const int standing = activities.Locate(before, position + 1);
      if (standing <= position) continue;
      activities.RemovePosition(standing);
      activities.InsertAt(position, before);
      ReOrderFrom(activities, position, ignored);
    }
  }
}

void ZELBIWUpdateManufAssemblyCmd::UpdateOutputManufAssembly(const QIVBaseUnknown_var& activity) {
  ZELTraceScope scope(kClass, "UpdateOutputManufAssembly", ZELTraceScope::Dashes);
  ZELIBIWItemInfo_var info(activity);
  if (!info) return;
  const QIVListValQIVBaseUnknown_var handled = HandledProducts(info);
  if (handled.IsEmpty()) return;

  QIVListValQIVBaseUnknown_var outputs, assemblies;
  info->GetProductIOs(outputs, QIVSPPProductOutput);
  for (const QIVBaseUnknown_var& entry : outputs) {
    QIVBaseUnknown_var product;
    if (QIVISPPProductIO_var output(entry);
        output && SUCCEEDED(output->GetProduct(product)) && ZELIMfgAssembly_var(product))
      assemblies.Append(product);
  }
  if (assemblies.Size() > 1) {
    DisplayWarningWindow(activity, "MultipleProductOutput");
    return;
  }
  if (assemblies.IsEmpty()) {
    CreateProductOutput(activity, assemblies);
    _pCreatedOutputs->Append(assemblies);
  }
  if (assemblies.Size() != 1) return;
  RemoveAllPartsFromManufAssembly(assemblies);
  AddItemsToManufAssembly(assemblies, handled);
}

void ZELBIWUpdateManufAssemblyCmd::CreateProductOutput(const QIVBaseUnknown_var& activity,
                                                       QIVListValQIVBaseUnknown_var& assemblies) {
  ZELTraceScope scope(kClass, "CreateProductOutput", ZELTraceScope::Dashes);
  const QIVUnicodeString label = LabelOf(activity);
  const QIVBaseUnknown_var assembly = ZELEMfgAssemblyFactory().CreateMfgAssembly();
  ZELIMfgAssembly_var manufAssembly(assembly);
  if (!manufAssembly) return;
  manufAssembly->SetLabel(label);
  QIVISPPFlowMgt_var flow(activity);
  QIVBaseUnknown_var output;
  if (QIVISPPItem_var(assembly) && flow && SUCCEEDED(flow->CreateProductOutput(output))) {
    if (QIVISPPProductIO_var productOutput(output); productOutput) productOutput->SetProduct(assembly);
    if (QIVIRedrawEvent_var redraw(activity); redraw) redraw->Redraw();
  }
  assemblies.Append(assembly);
}

void ZELBIWUpdateManufAssemblyCmd::RemoveAllPartsFromManufAssembly(
    const QIVListValQIVBaseUnknown_var& assemblies) {
  ZELTraceScope scope(kClass, "RemoveAllPartsFromManufAssembly", ZELTraceScope::Dashes);
  for (const QIVBaseUnknown_var& entry : assemblies) {
    ZELIMfgAssembly_var assembly(entry);
    if (!assembly) continue;
    // Sub-assemblies are parts too: what was handed on earlier may no
    // longer come this way.
    QIVListValQIVBaseUnknown_var parts, subAssemblies;
    assembly->GetParts(parts);
    assembly->GetSubAssemblies(subAssemblies);
    parts.Append(subAssemblies);
    for (const QIVBaseUnknown_var& part : parts) assembly->RemovePart(part);
  }
}

void ZELBIWUpdateManufAssemblyCmd::AddItemsToManufAssembly(const QIVListValQIVBaseUnknown_var& assemblies,
                                                           const QIVListValQIVBaseUnknown_var& items) {
  ZELTraceScope scope(kClass, "AddItemsToManufAssembly", ZELTraceScope::Dashes);
  if (assemblies.IsEmpty()) return;
  QIVBaseUnknown_var first = assemblies[1];
  if (QIVISPPProductIO_var productIO(first); productIO) productIO->GetProduct(first);
  ZELIMfgAssembly_var assembly(first);
  if (!assembly) return;
  for (const QIVBaseUnknown_var& item : items)
    if (item) assembly->AddPart(item);
  if (QIVIRedrawEvent_var redraw(assembly); redraw) redraw->Redraw();
}

void ZELBIWUpdateManufAssemblyCmd::UpdateProductLink(const QIVBaseUnknown_var& from,
                                                     const QIVBaseUnknown_var& to, int) {
  ZELTraceScope scope(kClass, "UpdateProductLink", ZELTraceScope::Dashes);
  if (!from || !to) return;
  QIVListValQIVBaseUnknown_var handedOn = InputAndOutputProducts(ZELIBIWItemInfo_var(from));

  const QIVListValQIVBaseUnknown_var nexts = NextActivities(from, "Activity");
  if (nexts.Size() >= 2) {
    Identities handledByNext;
    for (const QIVBaseUnknown_var& next : nexts)
      for (const QIVBaseUnknown_var& product : HandledProducts(ZELIBIWItemInfo_var(next)))
        handledByNext.insert(product.Identity());
    const auto shared = std::count_if(
        handedOn.begin(), handedOn.end(),
        [&](const QIVBaseUnknown_var& product) { return handledByNext.count(product.Identity()) != 0; });
    if (shared != handedOn.Size()) DisplayWarningWindow(from, "MultipleActsInFlow");
    return;
  }

  QIVListValQIVBaseUnknown_var already;
  GetFirstAssignedProducts(to, already);
  if (ZELIBIWItemInfo_var info(to); info) {
    QIVListValQIVBaseUnknown_var assigned;
    info->GetAssignedProducts(assigned);
    already.Append(assigned);
  }
  for (const QIVBaseUnknown_var& product : handedOn) RemoveItemFromRequiredActivities(from, product);
  const Identities present = IdentitiesOf(already);
  std::erase_if(handedOn.Items(),
                [&](const QIVBaseUnknown_var& product) { return present.count(product.Identity()) != 0; });
  ZELFastenerServices::AssignProductsAsFirstAssign(to, handedOn);
}

void ZELBIWUpdateManufAssemblyCmd::GetFirstAssignedProducts(const QIVBaseUnknown_var& activity,
                                                            QIVListValQIVBaseUnknown_var& products) {
  QIVISPPItemMgt_var items(activity);
  if (!items) return;
  for (const QIVBaseUnknown_var& item : items->GetItems("Item", QIVSPPItemFromFlow))
    if (QIVISPPItem_var(item)) products.Append(item);
}

void ZELBIWUpdateManufAssemblyCmd::RemoveItemFromRequiredActivities(const QIVBaseUnknown_var& from,
                                                                    const QIVBaseUnknown_var& item) {
  RemoveItemFromFlowInputs(item, from, Removal::ExceptNextOfReference);
}

void ZELBIWUpdateManufAssemblyCmd::RemoveWhereeverItemIsInput(const QIVBaseUnknown_var& item) {
  RemoveItemFromFlowInputs(item, QIVBaseUnknown_var(), Removal::EverywhereInput);
}

void ZELBIWUpdateManufAssemblyCmd::RemoveItemFromFlowInputs(const QIVBaseUnknown_var& item,
                                                            const QIVBaseUnknown_var& reference,
                                                            Removal how) {
  QIVILinkableObject_var linkable(item);
  if (!linkable) return;
  QIVListValQIVBaseUnknown_var referrers;
  linkable->GetReferencingObjects(referrers);
  for (const QIVBaseUnknown_var& referrer : referrers) {
    QIVISpecObject_var placed(referrer);
    QIVBaseUnknown_var father;
    if (!placed || FAILED(placed->GetSpecFather(father)) || !QIVISPPActivity_var(father)) continue;
    if (how == Removal::ExceptNextOfReference && IsThisNextToReference(father, reference)) continue;
    QIVISPPItemMgt_var items(father);
    if (QIVISPPFlowMgt_var(father) && items && items->HasItem(item, QIVSPPItemFromFlow))
      items->RemoveItem(item, QIVSPPItemFromFlow);
  }
}

bool ZELBIWUpdateManufAssemblyCmd::IsThisNextToReference(const QIVBaseUnknown_var& activity,
                                                         const QIVBaseUnknown_var& reference) {
  for (const QIVBaseUnknown_var& next : NextActivities(reference, "Activity"))
    if (next == activity || FoundInChildren(next, activity)) return true;
  return false;
}

bool ZELBIWUpdateManufAssemblyCmd::FoundInChildren(const QIVBaseUnknown_var& parent,
                                                   const QIVBaseUnknown_var& item) {
  QIVISPPChildManagement_var childManagement(parent);
  if (!childManagement) return false;
  const auto children = childManagement->GetChildren("");
  for (const QIVBaseUnknown_var& child : *children)
    if (child == item || FoundInChildren(child, item)) return true;
  return false;
}

void ZELBIWUpdateManufAssemblyCmd::DisplayWarningWindow(const QIVBaseUnknown_var& activity,
                                                        const QIVUnicodeString& key) {
  CompactTrace trace("DisplayWarningWindow");
  if (!activity) return;
  const QIVMsgCatalog& catalog = QIVMsgCatalog::LoadMsgCatalog(kClass);
  std::string name = key.str(), extra;
  if (const auto link = name.find(kLink); link != std::string::npos) {
    extra = name.substr(link + 3);
    name.resize(link);
  }
  const QIVUnicodeString label = LabelOf(activity);
  QIVUnicodeString heading, body;
  if (name == "MultipleActsInFlow") {
    heading = CatalogText(catalog, "ErrorMessageProcessFlow", "Process flow problem at activity ") + label;
    body = CatalogText(catalog, "MultipleActsInFlow",
                       "Its next activities do not handle all of its products, so none were handed on.");
  } else if (name == "MultipleProductOutput") {
    heading = CatalogText(catalog, "ErrorMessageProductFlow", "Product flow problem at activity ") + label;
    body = CatalogText(catalog, "MultipleProductOutput",
                       "It outputs more than one manufactured assembly; its output was left unchanged.");
  } else if (name == "CyclicLinks") {
    heading = CatalogText(catalog, "ErrorMessageCyclicLinks", "Cyclic control flow");
    std::string text =
        CatalogText(catalog, "CyclicLinks", "The control flow loops: -->. The flow after it was not updated.")
            .str();
    if (const auto link = text.find(kLink); link != std::string::npos)
      text.replace(link, 3, extra + " --> " + label.str());
    body = text;
  } else {
    return;
  }
  const QIVUnicodeString line = "\n" + heading.str() + "\n" + body.str();
  if (_recordedWarnings.insert(line.str()).second) _warnings.Append(line);
}

void ZELBIWUpdateManufAssemblyCmd::DisplayWarningWindow() {
  CompactTrace trace("DisplayWarningWindow");
  if (_warnings.IsEmpty() || !QIVApplicationFrame::GetFrame()) return;
  const QIVMsgCatalog& catalog = QIVMsgCatalog::LoadMsgCatalog(kClass);
  if (ZELEnvironmentSwitches::SuppressesWarningWindow()) return;
  std::string text;
  for (const QIVUnicodeString& line : _warnings) text += line.str() + "\n";
  ZELDisplayBlockedBox(nullptr, "Warning", kWarningStyle, text,
                       CatalogText(catalog, "ErrorMessage.Title", "Manufactured Assembly Update"));
}
