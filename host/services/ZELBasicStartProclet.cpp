#include "ZELBasicStartProclet.h"

#include "ZELSimulationWorld.h"

void ZELBasicStartProclet::setRestoreDesignLocation(bool restore) {
  ZELSimulationWorld::Instance().SetRestoreDesignLocation(restore);
}

void ZELBasicStartProclet::RestoreIfRequested() {
  ZELSimulationWorld& world = ZELSimulationWorld::Instance();
  if (!world.GetRestoreDesignLocation()) return;
  world.SetRestoreDesignLocation(false);
  world.RestoreDesignLocations();
}
