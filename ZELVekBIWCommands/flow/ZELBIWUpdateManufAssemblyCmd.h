#pragma once

#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>

#include "QIVFrmEditor.h"
#include "QIVListVal.h"
#include "QIVSO.h"
#include "QIVStateCommand.h"
#include "QIVUnicodeString.h"

class ZELBIWUpdateManufAssemblyPanel;

// Recomputes, along the control flow, the manufactured assembly each BIW
// activity outputs and hands it on to the activity that follows, for the
// whole process or for one picked activity. Cyclic flows, activities with
// several outputs and flows that split products are reported together in
// one warning window. OK keeps every change; Cancel deletes the assemblies
// made since the last single-activity update.
class ZELBIWUpdateManufAssemblyCmd : public QIVStateCommand {
 public:
  ZELBIWUpdateManufAssemblyCmd();
  ~ZELBIWUpdateManufAssemblyCmd() override;

  const char* GetImplClassName() const override { return "ZELBIWUpdateManufAssemblyCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;

  // Actions of the state graph; each returns true so that its transition
  // completes. The argument is not used.
  bool InitializeAgents(void* data);
  bool FillActivity(void* data);
  bool UpdateAllActs(void* data);
  bool UpdateSingleAct(void* data);
  bool CloseDlg(void* data);
  using QIVStateCommand::Cancel;
  bool Cancel(void* data);
  // Only BIW activities may be picked.
  bool IsValidActivity(QIVPathElementAgent* agent, void* data);

  void GetValidActivityToStart(const QIVBaseUnknown_var& activity, QIVListValQIVBaseUnknown_var& starts);
  // False when a cycle stopped the walk.
  bool UpdateOutputProductForActivity(const QIVBaseUnknown_var& activity, int isChild);
  void GetAllChildActivities(const QIVBaseUnknown_var& parent, QIVListValQIVBaseUnknown_var& children);
  void ReOrderActivitiesForControlFlow(QIVListValQIVBaseUnknown_var& activities, int position);
  // False when a cycle is reachable from `activity`; `repeated` and `path`
  // then name where it closes. `path` is shared by the whole walk.
  bool CheckForCyclicity(const QIVBaseUnknown_var& activity, QIVBaseUnknown_var& repeated,
                         QIVListValQIVBaseUnknown_var& path);

  void UpdateOutputManufAssembly(const QIVBaseUnknown_var& activity);
  void CreateProductOutput(const QIVBaseUnknown_var& activity, QIVListValQIVBaseUnknown_var& assemblies);
  void RemoveAllPartsFromManufAssembly(const QIVListValQIVBaseUnknown_var& assemblies);
  void AddItemsToManufAssembly(const QIVListValQIVBaseUnknown_var& assemblies,
                               const QIVListValQIVBaseUnknown_var& items);

  void UpdateProductLink(const QIVBaseUnknown_var& from, const QIVBaseUnknown_var& to, int isChild);
  void GetFirstAssignedProducts(const QIVBaseUnknown_var& activity, QIVListValQIVBaseUnknown_var& products);
  void RemoveItemFromRequiredActivities(const QIVBaseUnknown_var& from, const QIVBaseUnknown_var& item);
  void RemoveWhereeverItemIsInput(const QIVBaseUnknown_var& item);
  bool IsThisNextToReference(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& reference);
  bool FoundInChildren(const QIVBaseUnknown_var& parent, const QIVBaseUnknown_var& item);

  // Records one warning about `activity`; `key` is a catalogue key, for a
  // cycle followed by "-->" and the label of the activity it loops back to.
  void DisplayWarningWindow(const QIVBaseUnknown_var& activity, const QIVUnicodeString& key);
  // Shows every recorded warning in one box, unless "ADL_ODT_OUT" is set.
  void DisplayWarningWindow();

  ZELBIWUpdateManufAssemblyPanel* GetPanel() const { return _pPanel; }
  QIVPathElementAgent* GetSelectionAgent() const { return _pSelectAgent; }
  const QIVBaseUnknown_var& GetSelectedActivity() const { return _selectedActivity; }
  const QIVListValQIVBaseUnknown_var& GetCreatedOutputs() const { return *_pCreatedOutputs; }
  const QIVListValQIVUnicodeString& GetWarnings() const { return _warnings; }

 private:
  enum class Removal { EverywhereInput, ExceptNextOfReference };
  void RemoveItemFromFlowInputs(const QIVBaseUnknown_var& item, const QIVBaseUnknown_var& reference,
                                Removal how);
  // Reports the cycle a failed CheckForCyclicity found from `activity`.
  void ReportCycle(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& repeated,
                   const QIVListValQIVBaseUnknown_var& path);
  // Previous links that close a cycle among `activities`, as "previous
  // before entry" pairs the reordering must not follow.
  using LinkSet = std::set<std::pair<const QIVBaseUnknown*, const QIVBaseUnknown*>>;
  static LinkSet CyclicPreviousLinks(const QIVListValQIVBaseUnknown_var& activities);
  void ReOrderFrom(QIVListValQIVBaseUnknown_var& activities, int position, const LinkSet& ignored);

  ZELBIWUpdateManufAssemblyPanel* _pPanel = nullptr;
  QIVDialogAgent* _pCancelAgent = nullptr;
  QIVDialogAgent* _pOKAgent = nullptr;
  QIVDialogAgent* _pUpdateAllAgent = nullptr;
  QIVDialogAgent* _pUpdateOneAgent = nullptr;
  QIVDialogAgent* _pSelectModeAgent = nullptr;
  QIVDialogAgent* _pAllModeAgent = nullptr;
  QIVPathElementAgent* _pSelectAgent = nullptr;
  QIVBaseUnknown_var _selectedActivity;
  // The editor is held so that its highlight set outlives the command.
  QIVVar<QIVFrmEditor> _editor;
  QIVHSO* _pHSO = nullptr;
  std::unique_ptr<QIVListValQIVBaseUnknown_var> _pCreatedOutputs;
  QIVListValQIVUnicodeString _warnings;
  std::unordered_set<std::string> _recordedWarnings;
  // Activities on the current cycle walk: a flow that the path alone does
  // not catch still ends when the walk comes back to one of them.
  std::unordered_set<const QIVBaseUnknown*> _cycleWalk;
  // Activities from which no cycle can be reached, found during the
  // current update; the flow does not change while it runs.
  std::unordered_set<const QIVBaseUnknown*> _acyclic;
  // Activities whose next links the top-level walk is following.
  std::unordered_set<const QIVBaseUnknown*> _flowWalk;
};
