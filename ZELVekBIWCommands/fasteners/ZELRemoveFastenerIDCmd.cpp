#include "ZELRemoveFastenerIDCmd.h"

#include "ZELFastenerDisplay.h"
#include "frame/ZELVekBIWCommandNumbers.h"

ZELRemoveFastenerIDCmd::ZELRemoveFastenerIDCmd()
    : QIVStateCommand("ZELRemoveFastenerIDCmd", ZELVekBIWBehavior::Replace, ZELVekBIWMode::Shared) {}

const char* ZELRemoveFastenerIDCmd::GetResourceFilename(int level) const {
  return level == 0 ? "ZELRemoveFastenerIDCmd" : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELRemoveFastenerIDCmd::BuildGraph() {
  QIVDialogState* initial = GetInitialState("RemoveFastenerDisplay");
  AddTransition(initial, nullptr, nullptr, Action(this, &ZELRemoveFastenerIDCmd::RemoveFastenerDisplay));
}

bool ZELRemoveFastenerIDCmd::RemoveFastenerDisplay(void*) {
  ZELFastenerDisplay::DeleteVisualizationR7WeldList();
  return true;
}
