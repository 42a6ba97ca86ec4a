#pragma once

#include <memory>
#include <vector>

#include "ZELBasicSimCmd.h"
#include "ZELBuildBIWRootActivityVisitor.h"

// A simulation command that brings the world to the state of an activity
// (ZELSimulationWorld): the activities its traversal visitors find before
// it are simulated, then the activity itself.
class ZELTimeBasedSimCmd : public ZELBasicSimCmd {
 public:
  using ZELBasicSimCmd::ZELBasicSimCmd;
  ~ZELTimeBasedSimCmd() override;

  // The controller halted at its start, no visitor yet.
  void SetCommandDefaults();
  void AddVisitor(std::unique_ptr<ZELBuildBIWRootActivityVisitor> visitor);
  bool HasVisitors() const { return !_visitors.empty(); }

  // Simulates from `from` (null: the start of the process) to `to`:
  //   animate     the viewer is redrawn after each activity simulated;
  //   keepRunning the controller keeps running once the world is placed
  //               (0: it halts there);
  //   includeTo   `to` itself is simulated, not only what comes before it;
  //   isolation   only `to` is simulated, as the station isolation setting
  //               does;
  //   redraw      the viewer is redrawn once the world is placed.
  // S_OK; E_FAIL without `to`.
  HRESULT UpdateWorld(const QIVBaseUnknown_var& from, const QIVBaseUnknown_var& to, int animate,
                      int keepRunning, int includeTo, int isolation, int redraw);

  const char* GetImplClassName() const override { return "ZELTimeBasedSimCmd"; }

 private:
  std::vector<std::unique_ptr<ZELBuildBIWRootActivityVisitor>> _visitors;
};
