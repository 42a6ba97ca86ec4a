#pragma once

#include <memory>
#include <unordered_set>

#include "QIVPathElement.h"
#include "QIVStateCommand.h"
#include "QIVUnicodeString.h"

class ZELVekBIWAssignDatumAndTargetDlg;
class ZELVekBIWLocatorsAssignFailureDlg;

// Assigns datums, datum targets and locators (locating and clamping points)
// to activities as their items. The planner picks what to assign and the
// receiving activities into the lists of the assignment dialog; OK gives
// every item to every activity and shows the refused pairs, with their
// reason, in the failure dialog.
//
// "State1" collects picks; OK with nothing to assign or no activity stays
// there. OK otherwise assigns once and moves to "State2", which waits for
// the failure dialog to be closed, or ends at once when nothing failed.
class ZELVekBIWAssignDatumAndTargetCmd : public QIVStateCommand {
 public:
  using List = QIVListValQIVBaseUnknown_var;

  // Why an item did not go to an activity (the failure row's reason).
  enum Reason { DuplicateAssign = 0, PartNotLoaded = 1, TypeMismatch = 2 };

  ZELVekBIWAssignDatumAndTargetCmd();
  ~ZELVekBIWAssignDatumAndTargetCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWAssignDatumAndTargetCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;

  // Actions and conditions of the graph; the argument is not used.
  bool ItemSelected(void* data);
  bool LaunchLocatorAssignment(void* data);
  bool CloseAssignLocatorDlg(void* data);
  bool CloseAssignFailureDlg(void* data);
  bool IsAnyColumnEmpty(void* data);
  bool IsAssignFailed(void* data);

  // Each appends the object (or the locators it stands for) to its list
  // when not there yet, and names it in the dialog.
  void AddToDatumList(const QIVBaseUnknown_var& object, const QIVPathElement_var& path);
  void AddToDatumTargetList(const QIVBaseUnknown_var& object, const QIVPathElement_var& path);
  void AddToActivityList(const QIVBaseUnknown_var& object, const QIVPathElement_var& path);
  // The locating and clamping points related to the product.
  void AddProductToLocatorList(const QIVBaseUnknown_var& object, const QIVPathElement_var& path);
  void AddLocatorToLocatorList(const QIVBaseUnknown_var& object, const QIVPathElement_var& path);
  // The locating points of the group.
  void AddListToLocatorList(const QIVBaseUnknown_var& object, const QIVPathElement_var& path);
  // The clamping points of the group.
  void AddListToClampList(const QIVBaseUnknown_var& object, const QIVPathElement_var& path);

  // Takes out the locators whose alias, and the datums and targets whose
  // name, is `name`.
  void RemoveItemFromList(const QIVUnicodeString& name);
  // Takes out the activities whose label is `name`.
  void RemoveActivityFromList(const QIVUnicodeString& name);
  // Everything collected becomes the current selection.
  void UpdateCSO();

  // Gives each datum or target of `list` to each activity.
  void AssignDatumTarget(const List& list);
  // Gives each locator to each activity that suits it and loads its part.
  void AssignLocator();
  // Whether one of the parts related to the feature is among `loadedParts`.
  static bool IsLocatorPartLoaded(const QIVBaseUnknown_var& feature, const List& loadedParts);
  // The activity's items (all modes).
  static std::unique_ptr<List> GetItemList(const QIVBaseUnknown_var& activity);

  ZELVekBIWAssignDatumAndTargetDlg* GetAssignDialog() const { return _pAssignDlg; }
  ZELVekBIWLocatorsAssignFailureDlg* GetFailureDialog() const { return _pFailureDlg; }
  const List& GetDatumList() const { return _datums.objects; }
  const List& GetDatumTargetList() const { return _targets.objects; }
  const List& GetLocatorList() const { return _locators.objects; }
  const List& GetActivityList() const { return _activities.objects; }

 private:
  // A list without duplicates, in the order the objects came.
  struct PickList {
    List objects;
    std::unordered_set<const QIVBaseUnknown*> members;

    bool Add(const QIVBaseUnknown_var& object);
    template <class Predicate>
    void RemoveIf(Predicate matches);
    bool IsEmpty() const { return objects.IsEmpty(); }
  };

  void AddLocator(const QIVBaseUnknown_var& locator);
  void AddGroupChildren(const QIVBaseUnknown_var& group, const char* interfaceName);
  void Fail(const QIVBaseUnknown_var& item, const QIVBaseUnknown_var& activity, Reason reason);
  static bool IsPartLoaded(const QIVBaseUnknown_var& feature,
                           const std::unordered_set<const QIVBaseUnknown*>& loadedParts);

  ZELVekBIWAssignDatumAndTargetDlg* _pAssignDlg = nullptr;
  ZELVekBIWLocatorsAssignFailureDlg* _pFailureDlg = nullptr;
  QIVDialogAgent* _pCancelAgent = nullptr;
  QIVDialogAgent* _pOKAgent = nullptr;
  QIVDialogAgent* _pFailureAgent = nullptr;
  QIVPathElementAgent* _pItemAgent = nullptr;
  PickList _datums;
  PickList _targets;
  PickList _locators;
  PickList _activities;
  unsigned char _assignFailed = 0;
  QIVDialogState* _pState2 = nullptr;
};
