#include "ZELVekBIWResetFastenerColorCmd.h"

#include "ZELFastenerServices.h"
#include "ZELIBIWFastener.h"
#include "ZELVekBIWCommandNumbers.h"

ZELVekBIWResetFastenerColorCmd::ZELVekBIWResetFastenerColorCmd()
    : QIVStateCommand("ZELVekBIWResetFastenerColorCmd", ZELVekBIWBehavior::Replace, ZELVekBIWMode::Exclusive) {}

ZELVekBIWResetFastenerColorCmd::~ZELVekBIWResetFastenerColorCmd() = default;

const char* ZELVekBIWResetFastenerColorCmd::GetResourceFilename(int level) const {
  return level == 0 ? "ZELVekBIWResetFastenerColorCmd" : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWResetFastenerColorCmd::BuildGraph() {
  QIVDialogState* initial = GetInitialState("InitialState");
  AddTransition(initial, nullptr, nullptr, Action(this, &ZELVekBIWResetFastenerColorCmd::Do));
}

bool ZELVekBIWResetFastenerColorCmd::Do(void*) {
  _SEQUENCE_QIVBaseUnknown_ptr fasteners;
  ZELFastenerServices::GetListOfAllFasteners(fasteners);
  RestoreColors(fasteners);
  return true;
}

void ZELVekBIWResetFastenerColorCmd::RestoreColors(_SEQUENCE_QIVBaseUnknown_ptr& fasteners) {
  for (QIVBaseUnknown*& entry : fasteners) {
    if (!entry) continue;
    // The sequence's reference is taken over here and released when the
    // handle goes, fastener interface or not.
    QIVBaseUnknown_var object = QIVBaseUnknown_var::Adopt(std::exchange(entry, nullptr));
    if (ZELIBIWFastener_var fastener = object) fastener->RestoreColor(nullptr, true);
  }
}
