#include "ZELVekFasteningSyncCmd.h"

#include <memory>

#include "QIVCommandDeletion.h"
#include "QIVFrmEditor.h"
#include "QIVIModelObject.h"
#include "QIVISPPActivity.h"
#include "QIVSO.h"
#include "QIVSPPActivityType.h"
#include "ZELBasicStartProclet.h"
#include "ZELBuildBIWRootActivityVisitor.h"
#include "ZELSimMessageUtils.h"
#include "ZELVekFasteningSyncDlg.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekFasteningSyncCmd";
// The types that make an activity a station for the synchronisation.
constexpr const char* kStationTypes[] = {QIVSPPActivityTypes::Station, "AssemblyOperation",
                                         QIVSPPActivityTypes::Grouping};
}  // namespace

ZELVekFasteningSyncCmd::ZELVekFasteningSyncCmd()
    : ZELUpdateWorldStepAnimCmd(kClass, 0, ZELVekBIWMode::Exclusive, 1) {}

ZELVekFasteningSyncCmd::~ZELVekFasteningSyncCmd() {
  if (_pIndication) QIVCommandDeletion(_pIndication);
  _pIndication = nullptr;
  if (_pDialog) QIVCommandDeletion(_pDialog);
  _pDialog = nullptr;
}

const char* ZELVekFasteningSyncCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : ZELUpdateWorldStepAnimCmd::GetResourceFilename(level - 1);
}

void ZELVekFasteningSyncCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pIndication = new QIVPathElementAgent("Indication", "QIVISPPActivity");
  _pIndication->SetBehavior(ZELVekBIWAgentBehavior::RepeatingPick);
  _pIndication->SetFilter(Filter(this, &ZELVekFasteningSyncCmd::ActFilter));
  AddCSOClient(_pIndication);
  QIVDialogState* start = GetInitialState("State0");
  QIVDialogState* indicating = AddDialogState("State1");
  indicating->AddDialogAgent(_pIndication);
  AddTransition(start, indicating, Condition(this, &ZELVekFasteningSyncCmd::InitSimEnv));
  AddTransition(indicating, indicating, IsOutputSetCondition(_pIndication),
                Action(this, &ZELVekFasteningSyncCmd::UpdateSimWorld));
}

void ZELVekFasteningSyncCmd::Activate() {
  ZELTraceScope scope(kClass, "Activate");
  ZELSimMessageUtils::SetBlockPCMessageFlag(true);
  ZELUpdateWorldStepAnimCmd::Activate();
  SetCommandDefaults();
  // Activated again after a shared command it let run, it has its visitor.
  if (!HasVisitors()) AddVisitor(std::make_unique<ZELBuildBIWRootActivityVisitor>());
}

void ZELVekFasteningSyncCmd::Desactivate() {
  ZELTraceScope scope(kClass, "Desactivate");
  ZELSimMessageUtils::SetBlockPCMessageFlag(false);
  ZELUpdateWorldStepAnimCmd::Desactivate();
}

void ZELVekFasteningSyncCmd::Cancel() {
  ZELTraceScope scope(kClass, "Cancel");
  ZELSimMessageUtils::SetBlockPCMessageFlag(false);
  ZELBasicStartProclet::setRestoreDesignLocation(true);
  ZELUpdateWorldStepAnimCmd::Cancel();
}

void ZELVekFasteningSyncCmd::ReadSettings() {
  ZELTraceScope scope(kClass, "ReadSettings");
  ZELUpdateWorldStepAnimCmd::ReadSettings();
  if (_pDialog) return;
  _pDialog = new ZELVekFasteningSyncDlg(this);
  _pDialog->SetFather(this);
  _pDialog->Build(IsStationIsolation());
  _pDialog->SetVisibility(QIVDlgShow);
}

bool ZELVekFasteningSyncCmd::InitSimEnv(void*) {
  ZELTraceScope scope(kClass, "InitSimEnv");
  if (!QIVFrmEditor::GetCurrentEditor()) return false;
  QIVISPPChildManagement_var station;
  if (SUCCEEDED(getCurrentStation(WhatIsInCSO(), station))) Synchronise(station);
  return true;
}

bool ZELVekFasteningSyncCmd::UpdateSimWorld(void*) {
  ZELTraceScope scope(kClass, "UpdateSimWorld");
  QIVISPPChildManagement_var station;
  if (SUCCEEDED(getCurrentStation(WhatIsInCSO(), station)) && station != _currentStation) {
    HaltController();
    ResetController();
    Synchronise(station);
  }
  if (QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor()) editor->GetCSO()->Empty();
  return true;
}

bool ZELVekFasteningSyncCmd::ActFilter(QIVPathElementAgent* agent, void*) {
  QIVIModelObject_var activity(agent->GetValue());
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  return activity && editor && activity->GetDocument() == editor->GetDocument();
}

HRESULT ZELVekFasteningSyncCmd::getCurrentStation(const QIVBaseUnknown_var& object,
                                                  QIVISPPChildManagement_var& station) {
  station = nullptr;
  QIVBaseUnknown_var step = object;
  for (int depth = 0; step && depth <= 256; ++depth) {
    QIVISPPActivity_var activity(step);
    if (!activity) break;
    for (const char* type : kStationTypes)
      if (activity->IsSubTypeOf(type)) {
        station = step;
        return station ? S_OK : E_FAIL;
      }
    QIVBaseUnknown_var father;
    if (FAILED(activity->GetFatherActivity(father))) break;
    step = father;
  }
  return E_FAIL;
}

void ZELVekFasteningSyncCmd::ModeChanged(bool stationIsolation) {
  ZELTraceScope scope(kClass, "ModeChanged");
  SetStationIsolation(stationIsolation);
  if (_currentStation) Synchronise(_currentStation);
}

void ZELVekFasteningSyncCmd::Synchronise(const QIVISPPChildManagement_var& station) {
  _currentStation = station;
  _updatedActivities.RemoveAll();
  _updatedActivities.Append(QIVBaseUnknown_var(station));
  UpdateWorld(QIVBaseUnknown_var(), QIVBaseUnknown_var(station), 0, 0, 1, 0, 1);
}
