#include "ZELVekBIWAssignDatumAndTargetCmd.h"

#include "QIVCommandDeletion.h"
#include "QIVFrmEditor.h"
#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVISPPItem.h"
#include "QIVISPPItemMgt.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivity.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFeatureChildMgmt.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIBIWTopClampingPointGroup.h"
#include "ZELIBIWTopLocatingPointGroup.h"
#include "ZELLocatorFacts.h"
#include "ZELVekBIWAssignDatumAndTargetDlg.h"
#include "ZELVekBIWLocatorsAssignFailureDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELEnvironmentSwitches.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWAssignDatumAndTargetCmd";
// The views read the high bit; headless, the agent repeats and takes many paths a pick.
constexpr std::uint64_t kItemAgentBehavior = 0x0000080000000000 | ZELVekBIWAgentBehavior::RepeatingMultiPick;

// What the selection agent takes, the first type first.
constexpr const char* kPickableTypes[] = {
    "QIVITPSNonSemanticDatum",      "QIVITPSDatumSimple",
    "QIVITPSDatumTarget",           "ZELIBIWLocatingPoint",
    "ZELIBIWTopLocatingPointGroup", "ZELIBIWClampingPoint",
    "ZELIBIWTopClampingPointGroup", "QIVIProduct",
    "ZELIBIWActivityLoading",       "ZELIBIWActivityClamping",
    "ZELIBIWActivityUnclamping",    "ZELIBIWActivityStation",
    "ZELIBIWActivityGrouping",      "ZELIASGProcess",
};

QIVUnicodeString ActivityLabel(const QIVBaseUnknown_var& activity) {
  QIVISPPActivity_var named(activity);
  return named ? named->GetName() : QIVUnicodeString();
}

using Identities = std::unordered_set<const QIVBaseUnknown*>;

Identities IdentitiesOf(const QIVListValQIVBaseUnknown_var& objects) {
  Identities identities;
  identities.reserve(static_cast<std::size_t>(objects.Size()));
  for (const QIVBaseUnknown_var& object : objects) identities.insert(object.Identity());
  return identities;
}
}  // namespace

bool ZELVekBIWAssignDatumAndTargetCmd::PickList::Add(const QIVBaseUnknown_var& object) {
  if (!object || !members.insert(object.Identity()).second) return false;
  objects.Append(object);
  return true;
}

template <class Predicate>
void ZELVekBIWAssignDatumAndTargetCmd::PickList::RemoveIf(Predicate matches) {
  List kept;
  for (const QIVBaseUnknown_var& object : objects) {
    if (matches(object))
      members.erase(object.Identity());
    else
      kept.Append(object);
  }
  objects = std::move(kept);
}

ZELVekBIWAssignDatumAndTargetCmd::ZELVekBIWAssignDatumAndTargetCmd()
    : QIVStateCommand(kClass, 0, ZELVekBIWMode::Exclusive) {}

ZELVekBIWAssignDatumAndTargetCmd::~ZELVekBIWAssignDatumAndTargetCmd() {
  for (QIVDialogAgent** agent : {&_pCancelAgent, &_pOKAgent, &_pFailureAgent}) {
    if (*agent) QIVCommandDeletion(*agent);
    *agent = nullptr;
  }
  if (_pItemAgent) QIVCommandDeletion(_pItemAgent);
  _pItemAgent = nullptr;
  if (_pAssignDlg) QIVCommandDeletion(_pAssignDlg);
  _pAssignDlg = nullptr;
  if (_pFailureDlg) QIVCommandDeletion(_pFailureDlg);
  _pFailureDlg = nullptr;
}

const char* ZELVekBIWAssignDatumAndTargetCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWAssignDatumAndTargetCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph", ZELTraceScope::Dashes);
  _pAssignDlg = new ZELVekBIWAssignDatumAndTargetDlg(this);
  _pAssignDlg->Build();
  _pFailureDlg = new ZELVekBIWLocatorsAssignFailureDlg(this);
  _pFailureDlg->Build();
  ZELSetBusyCursor();
  _pAssignDlg->SetVisibility(QIVDlgShow);
  _pFailureDlg->SetVisibility(QIVDlgHide);

  _pCancelAgent = new QIVDialogAgent("CancelAgent");
  _pCancelAgent->AcceptOnNotify(_pAssignDlg, QIVDialog::GetDiaCANCELNotification());
  _pCancelAgent->AcceptOnNotify(_pAssignDlg, QIVDialog::GetDiaCLOSENotification());
  _pCancelAgent->AcceptOnNotify(_pAssignDlg, QIVDialog::GetWindCloseNotification());
  _pOKAgent = new QIVDialogAgent("OKAgent");
  _pOKAgent->AcceptOnNotify(_pAssignDlg, QIVDialog::GetDiaOKNotification());
  _pFailureAgent = new QIVDialogAgent("FailureAgent");
  _pFailureAgent->AcceptOnNotify(_pFailureDlg, QIVDialog::GetDiaOKNotification());
  _pFailureAgent->AcceptOnNotify(_pFailureDlg, QIVDialog::GetWindCloseNotification());
  _pItemAgent = new QIVPathElementAgent("Item", kPickableTypes[0]);
  for (const char* type : kPickableTypes) _pItemAgent->AddElementType(type);
  _pItemAgent->SetBehavior(kItemAgentBehavior);
  AddCSOClient(_pItemAgent);

  QIVDialogState* collecting = GetInitialState("State1");
  collecting->AddDialogAgent(_pItemAgent);
  collecting->AddDialogAgent(_pOKAgent);
  collecting->AddDialogAgent(_pCancelAgent);
  _pState2 = AddDialogState("State2");
  _pState2->AddDialogAgent(_pFailureAgent);

  using Self = ZELVekBIWAssignDatumAndTargetCmd;
  AddTransition(collecting, collecting, IsOutputSetCondition(_pItemAgent), Action(this, &Self::ItemSelected));
  AddTransition(collecting, collecting,
                AndCondition(IsOutputSetCondition(_pOKAgent), Condition(this, &Self::IsAnyColumnEmpty)),
                Action(this, &Self::ItemSelected));
  AddTransition(collecting, nullptr, IsOutputSetCondition(_pCancelAgent),
                Action(this, &Self::CloseAssignLocatorDlg));
  AddTransition(collecting, _pState2, IsOutputSetCondition(_pOKAgent),
                Action(this, &Self::LaunchLocatorAssignment));
  AddTransition(
      _pState2, nullptr,
      OrCondition(IsOutputSetCondition(_pFailureAgent), NotCondition(Condition(this, &Self::IsAssignFailed))),
      Action(this, &Self::CloseAssignFailureDlg));
  AddTransition(_pState2, nullptr, IsOutputSetCondition(_pFailureAgent),
                Action(this, &Self::CloseAssignFailureDlg));
}

bool ZELVekBIWAssignDatumAndTargetCmd::ItemSelected(void*) {
  ZELTraceScope scope(kClass, "ItemSelected", ZELTraceScope::Dashes);
  for (const QIVPathElement_var& path : _pItemAgent->GetListOfValues()) {
    if (!path) continue;
    const QIVBaseUnknown_var leaf = path->GetLeaf();
    if (QIVIProduct_var(leaf)) AddProductToLocatorList(leaf, path);
    if (QIVITPSDatumSimple_var(leaf)) AddToDatumList(leaf, path);
    if (QIVITPSDatumTarget_var(leaf)) AddToDatumTargetList(leaf, path);
    if (ZELIBIWLocatingPoint_var(leaf)) AddLocatorToLocatorList(leaf, path);
    if (ZELIBIWClampingPoint_var(leaf)) AddLocatorToLocatorList(leaf, path);
    if (ZELIBIWTopLocatingPointGroup_var(leaf)) AddListToLocatorList(leaf, path);
    if (ZELIBIWTopClampingPointGroup_var(leaf)) AddListToClampList(leaf, path);
    if (QIVISPPActivity_var(leaf)) AddToActivityList(leaf, path);
  }
  UpdateCSO();
  return true;
}

void ZELVekBIWAssignDatumAndTargetCmd::AddToDatumList(const QIVBaseUnknown_var& object,
                                                      const QIVPathElement_var&) {
  if (_datums.Add(object)) _pAssignDlg->UpdateItemsList(ZELLocatorFacts::DatumName(object));
}

void ZELVekBIWAssignDatumAndTargetCmd::AddToDatumTargetList(const QIVBaseUnknown_var& object,
                                                            const QIVPathElement_var&) {
  if (_targets.Add(object)) _pAssignDlg->UpdateItemsList(ZELLocatorFacts::DatumName(object));
}

void ZELVekBIWAssignDatumAndTargetCmd::AddToActivityList(const QIVBaseUnknown_var& object,
                                                         const QIVPathElement_var&) {
  if (_activities.Add(object)) _pAssignDlg->UpdateActivitiesList(ActivityLabel(object));
}

void ZELVekBIWAssignDatumAndTargetCmd::AddLocator(const QIVBaseUnknown_var& locator) {
  if (_locators.Add(locator)) _pAssignDlg->UpdateItemsList(ZELLocatorFacts::Alias(locator));
}

void ZELVekBIWAssignDatumAndTargetCmd::AddProductToLocatorList(const QIVBaseUnknown_var& object,
                                                               const QIVPathElement_var&) {
  QIVBaseUnknown_var container;
  if (FAILED(ZELFastenerServices::GetFeatContainerFromFeature(object, container))) return;
  ZELIBIWFeaturePartRelations_var relations(container);
  QIVListValQIVBaseUnknown_var features;
  if (!relations || FAILED(relations->GetRelatedFeatures(object, features))) return;
  for (const QIVBaseUnknown_var& feature : features)
    if (ZELIBIWLocatingPoint_var(feature) || ZELIBIWClampingPoint_var(feature)) AddLocator(feature);
}

void ZELVekBIWAssignDatumAndTargetCmd::AddLocatorToLocatorList(const QIVBaseUnknown_var& object,
                                                               const QIVPathElement_var&) {
  AddLocator(object);
}

void ZELVekBIWAssignDatumAndTargetCmd::AddGroupChildren(const QIVBaseUnknown_var& group,
                                                        const char* interfaceName) {
  ZELIBIWFeatureChildMgmt_var children(group);
  QIVListValQIVBaseUnknown_var features;
  if (!children || FAILED(children->GetChildren(features, interfaceName))) return;
  for (const QIVBaseUnknown_var& feature : features) AddLocator(feature);
}

void ZELVekBIWAssignDatumAndTargetCmd::AddListToLocatorList(const QIVBaseUnknown_var& object,
                                                            const QIVPathElement_var&) {
  AddGroupChildren(object, ZELIBIWLocatingPoint::ClassName());
}

void ZELVekBIWAssignDatumAndTargetCmd::AddListToClampList(const QIVBaseUnknown_var& object,
                                                          const QIVPathElement_var&) {
  AddGroupChildren(object, ZELIBIWClampingPoint::ClassName());
}

void ZELVekBIWAssignDatumAndTargetCmd::RemoveItemFromList(const QIVUnicodeString& name) {
  ZELTraceScope scope(kClass, "RemoveItemFromList", ZELTraceScope::Dashes);
  _locators.RemoveIf(
      [&](const QIVBaseUnknown_var& locator) { return ZELLocatorFacts::Alias(locator) == name; });
  const auto named = [&](const QIVBaseUnknown_var& datum) {
    return ZELLocatorFacts::DatumName(datum) == name;
  };
  _datums.RemoveIf(named);
  _targets.RemoveIf(named);
}

void ZELVekBIWAssignDatumAndTargetCmd::RemoveActivityFromList(const QIVUnicodeString& name) {
  ZELTraceScope scope(kClass, "RemoveActivityFromList", ZELTraceScope::Dashes);
  _activities.RemoveIf([&](const QIVBaseUnknown_var& activity) { return ActivityLabel(activity) == name; });
}

void ZELVekBIWAssignDatumAndTargetCmd::UpdateCSO() {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor) return;
  QIVCSO* cso = editor->GetCSO();
  cso->Empty();
  for (const PickList* list : {&_datums, &_targets, &_locators, &_activities})
    for (const QIVBaseUnknown_var& object : list->objects) cso->AddElement(object.get());
}

std::unique_ptr<ZELVekBIWAssignDatumAndTargetCmd::List> ZELVekBIWAssignDatumAndTargetCmd::GetItemList(
    const QIVBaseUnknown_var& activity) {
  QIVISPPItemMgt_var items(activity);
  return std::make_unique<List>(items ? items->GetItems("Item", 0) : List());
}

void ZELVekBIWAssignDatumAndTargetCmd::Fail(const QIVBaseUnknown_var& item,
                                            const QIVBaseUnknown_var& activity, Reason reason) {
  _assignFailed = 1;
  _pFailureDlg->UpdateFailureList(item, activity, reason);
}

void ZELVekBIWAssignDatumAndTargetCmd::AssignDatumTarget(const List& list) {
  ZELTraceScope scope(kClass, "AssignDatumTarget", ZELTraceScope::Dashes);
  for (const QIVBaseUnknown_var& activity : _activities.objects) {
    QIVISPPItemMgt_var items(activity);
    if (!items) continue;
    const Identities held = IdentitiesOf(*GetItemList(activity));
    for (const QIVBaseUnknown_var& item : list) {
      if (!QIVISPPItem_var(item)) continue;
      if (held.count(item.Identity()))
        Fail(item, activity, DuplicateAssign);
      else
        items->AddItem(item, QIVSPPItemAssigned);
    }
  }
}

bool ZELVekBIWAssignDatumAndTargetCmd::IsPartLoaded(const QIVBaseUnknown_var& feature,
                                                    const Identities& loadedParts) {
  for (const QIVBaseUnknown_var& part : ZELLocatorFacts::RelatedParts(feature))
    if (loadedParts.count(part.Identity())) return true;
  return false;
}

bool ZELVekBIWAssignDatumAndTargetCmd::IsLocatorPartLoaded(const QIVBaseUnknown_var& feature,
                                                           const List& loadedParts) {
  return IsPartLoaded(feature, IdentitiesOf(loadedParts));
}

void ZELVekBIWAssignDatumAndTargetCmd::AssignLocator() {
  ZELTraceScope scope(kClass, "AssignLocator", ZELTraceScope::Dashes);
  for (const QIVBaseUnknown_var& activity : _activities.objects) {
    QIVISPPItemMgt_var items(activity);
    if (!items) continue;
    const Identities held = IdentitiesOf(*GetItemList(activity));
    ZELIBIWActivity_var biw(activity);
    List loaded;
    ZELFastenerServices::GetLoadedParts(activity, loaded);
    const Identities loadedParts = IdentitiesOf(loaded);
    for (const QIVBaseUnknown_var& locator : _locators.objects) {
      if (held.count(locator.Identity()))
        Fail(locator, activity, DuplicateAssign);
      else if (biw && FAILED(biw->IsValidItem(locator)))
        Fail(locator, activity, TypeMismatch);
      else if (!IsPartLoaded(locator, loadedParts))
        Fail(locator, activity, PartNotLoaded);
      else
        items->AddItem(locator, QIVSPPItemAssigned);
    }
  }
}

bool ZELVekBIWAssignDatumAndTargetCmd::LaunchLocatorAssignment(void*) {
  ZELTraceScope scope(kClass, "LaunchLocatorAssignment", ZELTraceScope::Dashes);
  _assignFailed = 0;
  AssignDatumTarget(_datums.objects);
  AssignDatumTarget(_targets.objects);
  AssignLocator();
  _pAssignDlg->SetVisibility(QIVDlgHide);
  _pFailureDlg->SetVisibility(QIVDlgShow);
  if (_assignFailed)
    _pFailureAgent->InitializeAcquisition();
  else
    _pState2->RemoveDialogAgent(_pFailureAgent);
  return true;
}

bool ZELVekBIWAssignDatumAndTargetCmd::CloseAssignLocatorDlg(void*) {
  ZELTraceScope scope(kClass, "CloseAssignLocatorDlg", ZELTraceScope::Dashes);
  _pAssignDlg->SetVisibility(QIVDlgHide);
  return true;
}

bool ZELVekBIWAssignDatumAndTargetCmd::CloseAssignFailureDlg(void*) {
  ZELTraceScope scope(kClass, "CloseAssignFailureDlg", ZELTraceScope::Dashes);
  _pFailureDlg->SetVisibility(QIVDlgHide);
  RequestDelayedDestruction();
  return true;
}

bool ZELVekBIWAssignDatumAndTargetCmd::IsAnyColumnEmpty(void*) {
  const bool empty =
      (_datums.IsEmpty() && _targets.IsEmpty() && _locators.IsEmpty()) || _activities.IsEmpty();
  if (empty) _pOKAgent->InitializeAcquisition();
  return empty;
}

bool ZELVekBIWAssignDatumAndTargetCmd::IsAssignFailed(void*) { return _assignFailed != 0; }
