#pragma once

#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "QIVStateCommand.h"
#include "QIVUnicodeString.h"
#include "ZELVekBIWJointTable.h"

class ZELVekBIWAutoAssignWeldDlg;

// Automatic weld assignment. For one activity and every activity below it,
// proposes the unassigned fasteners whose joined parts all reach the
// activity (sticky fasteners), each for the deepest activity it fits; the
// planner prunes the table and OK assigns what is left. Nothing is written
// to the model before OK.
//
// The activity comes with the command (the factory's argument) or is
// picked. The joint table, every joint with the parts it relates, is read
// when the command is made.
class ZELVekBIWAutoAssignWeldCmd : public QIVStateCommand {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  // `activity` may be null: the planner then picks one.
  explicit ZELVekBIWAutoAssignWeldCmd(const QIVBaseUnknown_var& activity);
  ~ZELVekBIWAutoAssignWeldCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWAutoAssignWeldCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Cancel() override;

  // Builds the dialog, routes its OK and its Cancel and close box to the
  // agents, and shows it.
  void DisplayDialog();
  // The warning that there is nothing to assign; closing it ends the
  // command.
  void DisplayNoWeldsToAssign();

  // Appends the activities below `activity`, each after its own
  // descendants, in child order; makes the list when absent.
  static void GetAllChildren(const QIVBaseUnknown_var& activity, std::unique_ptr<List>& list);
  // The activities below `activity`, deepest first, then the activity.
  void GetListOfAssignableActivitiesV2(const QIVBaseUnknown_var& activity);
  // Fasteners of the document with no assignment here nor in the plant's
  // repository.
  void SetListOfUnassignedWelds();
  // Every feature of the current document relating parts, with those parts.
  static void GetAllJointsAndAssociatedParts(List& joints, std::vector<List>& parts);
  // The products of the assembly and, at every depth, of its
  // sub-assemblies.
  static void GetAllPartsFromMfgAssembly(const QIVBaseUnknown_var& assembly, List& parts);
  // The joints whose every part reaches an activity that handles `items`,
  // directly or inside an incoming assembly that does not hold them all.
  List GetStickyFasteners(const List& items) const;

  // Actions of the state graph; the argument is not used.
  bool MakePrepToAssignWeldsV2(void* data);
  bool AssignWelds(void* data);
  // Takes the proposal rows (from 0) out of the table.
  void UpdateListOfWeldsToAssign(const int* rows, int count);

  ZELVekBIWAutoAssignWeldDlg* GetDialog() const { return _pDlg; }
  const List& GetWeldsToAssign() const { return _weldsToAssign; }
  const List& GetActivitiesToAssign() const { return _activitiesToAssign; }
  const QIVListValQIVUnicodeString& GetFastenerNames() const { return _fastenerNames; }
  const QIVListValQIVUnicodeString& GetActivityNames() const { return _activityNames; }
  const List* GetAssignableActivities() const { return _assignableActivities.get(); }
  const List& GetUnassignedWelds() const { return _unassignedWelds; }
  const List& GetJoints() const { return _jointTable.Joints(); }
  int GetReasonCode() const { return _reasonCode; }
  QIVPathElementAgent* GetSelectActivityAgent() const { return _pSelectActivityAgent; }

 private:
  void Propose(const QIVBaseUnknown_var& fastener, const QIVBaseUnknown_var& activity);
  void RebuildNames();

  QIVDialogAgent* _pCancelAgent = nullptr;
  QIVDialogAgent* _pOKAgent = nullptr;
  QIVDialogAgent* _pMessageAgent = nullptr;
  QIVBaseUnknown_var _activity;
  List _unassignedWelds;
  std::unique_ptr<List> _assignableActivities;
  QIVListValQIVUnicodeString _fastenerNames;
  QIVListValQIVUnicodeString _activityNames;
  ZELVekBIWAutoAssignWeldDlg* _pDlg = nullptr;
  int _reasonCode = 0;
  ZELVekBIWJointTable _jointTable;
  List _weldsToAssign;
  List _activitiesToAssign;
  QIVPathElementAgent* _pSelectActivityAgent = nullptr;

  // Membership indexes, by object identity, so that thousands of fasteners
  // are matched without scanning lists.
  std::unordered_map<const QIVBaseUnknown*, int> _unassignedPosition;
  std::unordered_set<const QIVBaseUnknown*> _proposed;
};
