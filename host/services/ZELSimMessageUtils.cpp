#include "ZELSimMessageUtils.h"

#include "ZELSimulationWorld.h"

void ZELSimMessageUtils::SetBlockPCMessageFlag(bool block) {
  ZELSimulationWorld::Instance().SetBlockMessages(block);
}
