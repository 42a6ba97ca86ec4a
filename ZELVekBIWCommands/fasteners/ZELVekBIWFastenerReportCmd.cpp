#include "ZELVekBIWFastenerReportCmd.h"

#include "QIVCommandDeletion.h"
#include "frame/ZELCatalogMessage.h"
#include "frame/ZELVekBIWCommandNumbers.h"

ZELVekBIWFastenerReportCmd::ZELVekBIWFastenerReportCmd(const char* className, const QIVUnicodeString& commandName,
                                                       std::uint64_t behavior, int mode, const char* elementType)
    : QIVStateCommand(commandName, behavior, mode), _className(className), _elementType(elementType) {}

ZELVekBIWFastenerReportCmd::~ZELVekBIWFastenerReportCmd() {
  if (_fastenerAgent) QIVCommandDeletion(_fastenerAgent);
  _fastenerAgent = nullptr;
}

const char* ZELVekBIWFastenerReportCmd::GetResourceFilename(int level) const {
  return level == 0 ? _className : QIVStateCommand::GetResourceFilename(level - 1);
}

void ZELVekBIWFastenerReportCmd::BuildGraph() {
  _fastenerAgent = new QIVPathElementAgent("FastenerAgent", _elementType);
  QIVDialogState* waiting = GetInitialState("SelectFastener");
  waiting->AddDialogAgent(_fastenerAgent);
  AddTransition(waiting, nullptr, IsOutputSetCondition(_fastenerAgent),
                Action(this, &ZELVekBIWFastenerReportCmd::Report));
}

void ZELVekBIWFastenerReportCmd::Cancel() {
  RequestDelayedDestruction();
  QIVStateCommand::Cancel();
}

bool ZELVekBIWFastenerReportCmd::Report(void*) {
  QIVUnicodeString params[4];
  int count = 0;
  if (!Describe(_fastenerAgent->GetValue(), params, count)) return true;
  ZELCatalogMessage{_className, "ReportMessage", MessageDefault(), "ReportTitle", TitleDefault(), ZELVekBIWStyle::ReportBox, "Name",
                    params, count}
      .Display();
  return true;
}
