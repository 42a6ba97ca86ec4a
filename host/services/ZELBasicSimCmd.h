#pragma once

#include <cstdint>

#include "QIVStateCommand.h"

// Base of the simulation commands: the settings they share, the process
// controller, and the design locations put back when one is cancelled
// (when the start proclet was asked to).
class ZELBasicSimCmd : public QIVStateCommand {
 public:
  ZELBasicSimCmd(const QIVUnicodeString& name, std::uint64_t behavior, int mode)
      : QIVStateCommand(name, behavior, mode) {}

  // Reads the settings once, on the first activation.
  void Activate() override;
  // Puts the design locations back when asked to, then ends the command.
  void Cancel() override;

  // The simulation settings (repository "ZELSimulationSettings"): whether a
  // station is simulated in isolation ("StationIsolation").
  virtual void ReadSettings();
  bool IsStationIsolation() const { return _stationIsolation; }
  void SetStationIsolation(bool isolation) { _stationIsolation = isolation; }

  void HaltController();
  void ResetController();

  const char* GetImplClassName() const override { return "ZELBasicSimCmd"; }

 private:
  bool _settingsRead = false;
  bool _stationIsolation = false;
};
