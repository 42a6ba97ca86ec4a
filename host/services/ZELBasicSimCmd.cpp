#include "ZELBasicSimCmd.h"

#include "QIVSettingsRepository.h"
#include "ZELBasicStartProclet.h"
#include "ZELSimulationWorld.h"

void ZELBasicSimCmd::Activate() {
  QIVStateCommand::Activate();
  if (_settingsRead) return;
  _settingsRead = true;
  ReadSettings();
}

void ZELBasicSimCmd::Cancel() {
  ZELBasicStartProclet::RestoreIfRequested();
  QIVStateCommand::Cancel();
}

void ZELBasicSimCmd::ReadSettings() {
  _stationIsolation =
      QIVSettingsRepository::GetRepository("ZELSimulationSettings").GetBool("StationIsolation", false);
}

void ZELBasicSimCmd::HaltController() { ZELSimulationWorld::Instance().HaltController(); }

void ZELBasicSimCmd::ResetController() { ZELSimulationWorld::Instance().ResetController(); }
