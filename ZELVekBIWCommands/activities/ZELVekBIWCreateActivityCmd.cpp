#include "ZELVekBIWCreateActivityCmd.h"

#include "QIVApplicationFrame.h"
#include "QIVCommandDeletion.h"
#include "QIVISPPDynamicActivity.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISpecObject.h"
#include "QIVMsgCatalog.h"
#include "ZELBIWActivityServices.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivityGrouping.h"
#include "ZELIBIWActivityStation.h"
#include "ZELVekBIWCreateActivityDlg.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELEnvironmentSwitches.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {

constexpr std::uint64_t kBehavior = ZELVekBIWBehavior::Replace;
constexpr int kMode = ZELVekBIWMode::Shared;
constexpr std::uint64_t kParentAgentBehavior = ZELVekBIWAgentBehavior::RepeatingPick;
constexpr int kDialogAgentMode = 3;
constexpr unsigned long kWarningStyle = ZELVekBIWStyle::WarningBox;

bool IsOfType(const QIVISPPAbstractActivity_var& activity, const QIVUnicodeString& type) {
  return activity && activity->IsSubTypeOf(type);
}

bool IsBIWActivity(const QIVISPPAbstractActivity_var& activity) {
  return IsOfType(activity, ZELBIWActivityServices::GetRootType());
}

bool IsGrouping(const QIVISPPAbstractActivity_var& activity) {
  return IsOfType(activity, ZELBIWActivityServices::GetGroupingType());
}

bool IsStation(const QIVISPPAbstractActivity_var& activity) {
  return IsOfType(activity, ZELBIWActivityServices::GetStationType());
}

// The product exit rate of `activity` when it is a grouping.
bool GroupingExitRate(const QIVISPPAbstractActivity_var& activity, double& rate) {
  if (!IsGrouping(activity)) return false;
  ZELIBIWActivityGrouping_var grouping(activity);
  return grouping && SUCCEEDED(grouping->GetProductExitRate(rate));
}

// The father of the new activity when it is a grouping with a positive
// product exit rate: the rate a new station or grouping below it starts
// with.
bool InheritedExitRate(const QIVBaseUnknown_var& created, double& rate) {
  QIVISPPAbstractActivity_var activity(created);
  QIVBaseUnknown_var father;
  if (!activity || FAILED(activity->GetFatherActivity(father))) return false;
  return GroupingExitRate(QIVISPPAbstractActivity_var(father), rate) && rate > 0.0;
}

// Created after an activity, the new one took over that activity's next
// links; they go back to it before the new one is taken out, so that the
// flow is as it was.
void RejoinFlowAround(const QIVBaseUnknown_var& activity) {
  QIVISPPFlowMgt_var flow(activity);
  if (!flow) return;
  const QIVListValQIVBaseUnknown_var previous = flow->GetPreviousActivities("");
  const QIVListValQIVBaseUnknown_var next = flow->GetNextActivities("");
  for (const QIVBaseUnknown_var& before : previous) {
    QIVISPPFlowMgt_var beforeFlow(before);
    if (!beforeFlow) continue;
    for (const QIVBaseUnknown_var& after : next) beforeFlow->AddNextActivity(after);
  }
}

}  // namespace

ZELVekBIWCreateActivityCmd::ZELVekBIWCreateActivityCmd(const ZELVekBIWCreateActivityKind& kind)
    : QIVStateCommand(kind.className, kBehavior, kMode), _kind(kind) {
  _dialog = new ZELVekBIWCreateActivityDlg();
  _dialog->SetFather(this);
}

ZELVekBIWCreateActivityCmd::~ZELVekBIWCreateActivityCmd() {
  if (_dialog) {
    QIVCommandDeletion(_dialog);
    _dialog = nullptr;
  }
  if (_parentAgent) {
    QIVCommandDeletion(_parentAgent);
    _parentAgent = nullptr;
  }
  if (_dialogAgent) {
    QIVCommandDeletion(_dialogAgent);
    _dialogAgent = nullptr;
  }
  _parent = nullptr;
  _createdActivity = nullptr;
}

void ZELVekBIWCreateActivityCmd::Activate() { QIVCommand::Activate(); }

void ZELVekBIWCreateActivityCmd::Desactivate() { QIVCommand::Desactivate(); }

void ZELVekBIWCreateActivityCmd::Cancel() {
  if (_kind.destroysOnCancel) RequestDelayedDestruction();
  QIVCommand::Cancel();
}

const char* ZELVekBIWCreateActivityCmd::GetResourceFilename(int level) const {
  return level == 0 ? _kind.className : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWCreateActivityCmd::BuildGraph() {
  _parentAgent = new QIVPathElementAgent("Father", nullptr, 0);
  _parentAgent->SetElementType(QIVISPPChildManagement::ClassName());
  AddCSOClient(_parentAgent);
  _parentAgent->SetBehavior(kParentAgentBehavior);
  QIVDialogState* selectParent = GetInitialState("SelectParentActivity");
  selectParent->AddDialogAgent(_parentAgent);

  _dialogAgent = new QIVDialogAgent("dialogAgentActivityModId", 0, kDialogAgentMode);
  _dialogAgent->AcceptOnNotify(_dialog, QIVDialog::GetDiaOKNotification());
  _dialogAgent->AcceptOnNotify(_dialog, QIVDialog::GetDiaCANCELNotification());
  _dialogAgent->AcceptOnNotify(_dialog, QIVDialog::GetWindCloseNotification());
  QIVDialogState* editDialog = AddDialogState("EditDialog");
  editDialog->AddDialogAgent(_dialogAgent);

  AddTransition(selectParent, editDialog,
                AndCondition(IsOutputSetCondition(_parentAgent),
                             Condition(this, &ZELVekBIWCreateActivityCmd::CreateActivity)),
                Action(this, &ZELVekBIWCreateActivityCmd::SetUpDialog));
  AddTransition(selectParent, selectParent,
                NotCondition(AndCondition(IsOutputSetCondition(_parentAgent),
                                          Condition(this, &ZELVekBIWCreateActivityCmd::CreateActivity))),
                Action(this, &ZELVekBIWCreateActivityCmd::DisplayCreationError));
  AddTransition(editDialog, nullptr,
                IsLastModifiedAgentCondition(_dialogAgent, QIVDialog::GetDiaOKNotification()),
                Action(this, &ZELVekBIWCreateActivityCmd::DoOK));
  AddTransition(editDialog, nullptr,
                IsLastModifiedAgentCondition(_dialogAgent, QIVDialog::GetDiaCANCELNotification()),
                Action(this, &ZELVekBIWCreateActivityCmd::DoCancel));
  AddTransition(editDialog, nullptr,
                IsLastModifiedAgentCondition(_dialogAgent, QIVDialog::GetWindCloseNotification()),
                Action(this, &ZELVekBIWCreateActivityCmd::DoCancel));
}

bool ZELVekBIWCreateActivityCmd::CreateActivity(void*) {
  _parent = QIVISPPChildManagement_var(_parentAgent ? _parentAgent->GetValue() : QIVBaseUnknown_var());
  // A dynamic activity stands for another one, under which the planner
  // means to create.
  if (QIVISPPDynamicActivity_var dynamic(_parent); dynamic) {
    QIVBaseUnknown_var standsFor;
    if (FAILED(dynamic->GetActivity(standsFor))) standsFor = nullptr;
    _parent = QIVISPPChildManagement_var(standsFor);
  }
  ZELSetBusyCursor();

  QIVBaseUnknown_var created;
  QIVISPPAbstractActivity_var parentActivity(_parent);
  if (ZELIBIWActivityFactory_var(_parent) && parentActivity) {
    switch (_kind.rules) {
      case ZELVekBIWCreateActivityKind::ParentRules::Common:
        created = CreateUnderCommonRules(parentActivity);
        break;
      case ZELVekBIWCreateActivityKind::ParentRules::Station:
        created = CreateStation(parentActivity);
        break;
      case ZELVekBIWCreateActivityKind::ParentRules::Grouping:
        created = CreateGrouping(parentActivity);
        break;
    }
  }
  _createdActivity = QIVISPPAbstractActivity_var(created);
  if (!_kind.holdsParent) _parent = nullptr;
  return static_cast<bool>(_createdActivity);
}

QIVBaseUnknown_var ZELVekBIWCreateActivityCmd::CreateAsChild(const ZELIBIWActivityFactory_var& factory) {
  return (factory.get()->*_kind.createAsChild)(_parent);
}

QIVBaseUnknown_var ZELVekBIWCreateActivityCmd::CreateAfter(const ZELIBIWActivityFactory_var& factory) {
  if (!_kind.createAfter) return QIVBaseUnknown_var();
  return (factory.get()->*_kind.createAfter)(QIVISPPFlowMgt_var(_parent));
}

QIVBaseUnknown_var ZELVekBIWCreateActivityCmd::CreateUnderCommonRules(
    const QIVISPPAbstractActivity_var& parent) {
  if (!IsBIWActivity(parent)) return QIVBaseUnknown_var();
  ZELIBIWActivityFactory_var factory(_parent);
  if (IsStation(parent)) return CreateAsChild(factory);
  if (!IsGrouping(parent)) return CreateAfter(factory);
  return QIVBaseUnknown_var();
}

QIVBaseUnknown_var ZELVekBIWCreateActivityCmd::CreateStation(const QIVISPPAbstractActivity_var& parent) {
  ZELIBIWActivityFactory_var factory(_parent);
  QIVBaseUnknown_var station;
  if (!IsBIWActivity(parent) || IsGrouping(parent)) {
    station = CreateAsChild(factory);
  } else if (IsStation(parent)) {
    station = CreateAfter(factory);
  }
  double rate = 0.0;
  if (station && InheritedExitRate(station, rate)) {
    if (ZELIBIWActivityStation_var created(station); created) created->SetProductExitRate(rate);
  }
  return station;
}

QIVBaseUnknown_var ZELVekBIWCreateActivityCmd::CreateGrouping(const QIVISPPAbstractActivity_var& parent) {
  ZELIBIWActivityFactory_var factory(_parent);
  QIVBaseUnknown_var root;
  ZELFastenerServices::GetRootActivity(root);
  QIVBaseUnknown_var grouping;
  if (!IsBIWActivity(parent) || IsGrouping(parent) || (root && root == parent)) {
    grouping = CreateAsChild(factory);
  }
  root = nullptr;

  ZELIBIWActivityGrouping_var created(grouping);
  if (!created || !IsGrouping(QIVISPPAbstractActivity_var(grouping))) return grouping;
  // Below another grouping the new one takes over its rate, whatever it is.
  double rate = 0.0;
  if (GroupingExitRate(parent, rate)) created->SetProductExitRate(rate);
  if (InheritedExitRate(grouping, rate)) created->SetProductExitRate(rate);
  return grouping;
}

QIVUnicodeString ZELVekBIWCreateActivityCmd::BuildDialogLabel(const ZELVekBIWCreateActivityKind& kind,
                                                              const QIVUnicodeString& name) {
  QIVUnicodeString label =
      QIVMsgCatalog::BuildMessage("ZELVekBIWCreateActivityDlg", kind.labelKey, nullptr, 0, kind.labelDefault);
  if (const int dot = name.SearchSubString(".", 0); dot >= 0) label += name.SubString(dot);
  return label;
}

bool ZELVekBIWCreateActivityCmd::SetUpDialog(void*) {
  if (!_createdActivity) return true;
  const QIVUnicodeString label = BuildDialogLabel(_kind, _createdActivity->GetName());
  _dialog->GetCmdActivity(_createdActivity);
  _dialog->Build();
  _dialog->SetVisibility(QIVDlgShow);
  _dialog->SetActivityName(label);
  return true;
}

bool ZELVekBIWCreateActivityCmd::DoOK(void*) {
  if (_createdActivity) _createdActivity->SetName(_dialog->GetActivityName());
  if (_kind.writesAttributesOnOK) _dialog->SetActivityAttributes();
  return true;
}

void ZELVekBIWCreateActivityCmd::Revert() { DoCancel(nullptr); }

bool ZELVekBIWCreateActivityCmd::DoCancel(void*) {
  if (!_createdActivity) return true;
  RejoinFlowAround(QIVBaseUnknown_var(_createdActivity));
  // Only the father in the document's structure can take the activity out.
  QIVISpecObject_var specObject(_createdActivity);
  if (!specObject) return true;
  QIVBaseUnknown_var father;
  const bool hasFather = SUCCEEDED(specObject->GetSpecFather(father));
  specObject = nullptr;
  QIVISpecObject_var specFather(hasFather ? father : QIVBaseUnknown_var());
  if (specFather) specFather->RemoveComponent(QIVBaseUnknown_var(_createdActivity), QIVBaseUnknown_var());
  return true;
}

bool ZELVekBIWCreateActivityCmd::DisplayCreationError(void*) {
  QIVApplicationFrame* frame = QIVApplicationFrame::GetFrame();
  if (QIVDlgWindow* mainWindow = frame ? frame->GetMainWindow() : nullptr) {
    ZELCatalogMessage{_kind.errorCatalog, _kind.messageKey, _kind.messageDefault, _kind.titleKey,
                      "WARNING",          kWarningStyle,    _kind.boxName}
        .Display(mainWindow);
  }
  _parentAgent->InitializeAcquisition();
  return true;
}
