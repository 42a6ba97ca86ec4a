#include "ZELVekBIWSelectActivityMultiCmd.h"

#include "QIVCommandDeletion.h"
#include "QIVISPPActivity.h"
#include "frame/ZELBIWCmdTrace.h"
#include "frame/ZELVekBIWCommandNumbers.h"

namespace {
constexpr const char* kClass = "ZELVekBIWSelectActivityMultiCmd";
}  // namespace

ZELVekBIWSelectActivityMultiCmd::ZELVekBIWSelectActivityMultiCmd()
    : QIVMultiDocumentCommand(ZELVekBIWMode::Shared) {}

ZELVekBIWSelectActivityMultiCmd::~ZELVekBIWSelectActivityMultiCmd() {
  if (_pActivityAgent) QIVCommandDeletion(_pActivityAgent);
  _pActivityAgent = nullptr;
}

const char* ZELVekBIWSelectActivityMultiCmd::GetResourceFilename(int level) const {
  return level == 0 ? kClass : QIVMultiDocumentCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWSelectActivityMultiCmd::BuildGraph() {
  ZELTraceScope scope(kClass, "BuildGraph");
  _pActivityAgent = new QIVPathElementAgent("MultiSelectActivityAgent", QIVISPPActivity::ClassName());
  AddCSOClient(_pActivityAgent);
  QIVDialogState* state = GetInitialState("State1Id");
  state->AddDialogAgent(_pActivityAgent);
  AddTransition(state, nullptr, IsOutputSetCondition(_pActivityAgent),
                Action(this, &ZELVekBIWSelectActivityMultiCmd::WhenActivitySelected));
}

void ZELVekBIWSelectActivityMultiCmd::Cancel() {
  ZELTraceScope scope(kClass, "Cancel");
  QIVMultiDocumentCommand::Cancel();
}

bool ZELVekBIWSelectActivityMultiCmd::WhenActivitySelected(void*) {
  ZELTraceScope scope(kClass, "WhenActivitySelected");
  ReturnValues(_pActivityAgent->GetListOfValues());
  return true;
}
