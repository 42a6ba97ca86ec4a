#include "ZELVekBIWCommandsModule.h"

#include "ZELBIWCmdTrace.h"
#include "ZELVekBIWCommandCatalog.h"
#include "editors/ZELBIWEditorRegistration.h"
#include "xml/ZELVekBIWXMLGraphicFormat.h"

namespace {

std::vector<ZELVekBIWCommandEntry>& Table() {
  static std::vector<ZELVekBIWCommandEntry> entries = [] {
    std::vector<ZELVekBIWCommandEntry> made;
    const auto rows = ZELVekBIWCommandCatalog::Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const bool object = rows[i].argument == ZELVekBIWArgument::Object;
      made.push_back({rows[i].className, ZELVekBIWCommandCatalog::Factory(i),
                      ZELVekBIWCommandCatalog::FactoryWithArgument(i), 0,
                      object ? QIVFactoryArgument::Object : QIVFactoryArgument::Text});
    }
    return made;
  }();
  return entries;
}

int traceLoadCounter = 0;

}  // namespace

namespace ZELVekBIWCommandsModule {

void Load() {
  if (traceLoadCounter++ == 0)
    ZELBIWCmdTrace = new QIVTrace("ZELBIWCmdTrace", "Traces for module ZELVekBIWCommands", 0, "STDERR", 1024);
  for (ZELVekBIWCommandEntry& entry : Table()) {
    if (entry.factoryWithArgument)
      QIVFillDictionary(entry.className, entry.factoryWithArgument, &entry.loadCounter, entry.argument);
    else
      QIVFillDictionary(entry.className, entry.factory, &entry.loadCounter);
  }
  ZELBIWRegisterPropertyEditors();
  ZELVekBIWXMLGraphicFormat::Register();
}

void Unload() {
  delete ZELBIWCmdTrace;
  ZELBIWCmdTrace = nullptr;
  traceLoadCounter = 0;
}

const std::vector<ZELVekBIWCommandEntry>& Entries() { return Table(); }

}  // namespace ZELVekBIWCommandsModule
