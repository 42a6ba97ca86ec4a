#include "ZELEnvironmentSwitches.h"

#include "QIVApplicationFrame.h"
#include "QIVEnvironment.h"

namespace ZELEnvironmentSwitches {
bool KeepsGatheringOrder() { return QIVGetEnv("ADL_ODT_IN") != nullptr; }

QIVUnicodeString GatheringDirectory() {
  const char* value = QIVGetEnv("ADL_ODT_IN");
  return value ? QIVUnicodeString(value) : QIVUnicodeString();
}

bool SuppressesWarningWindow() { return QIVGetEnv("ADL_ODT_OUT") != nullptr; }
}  // namespace ZELEnvironmentSwitches

void ZELSetBusyCursor() {
  if (QIVApplicationFrame* frame = QIVApplicationFrame::GetFrame()) frame->SetBusyCursor();
}
