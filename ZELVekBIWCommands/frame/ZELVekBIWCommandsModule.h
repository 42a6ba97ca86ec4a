#pragma once

#include <vector>

#include "QIVDictionary.h"

// One entry point of the module as the host's dictionary knows it, made
// from its row of the catalogue (ZELVekBIWCommandCatalog).
struct ZELVekBIWCommandEntry {
  const char* className;
  QIVFactoryFunction factory;
  QIVFactoryArgFunction factoryWithArgument;
  // Loads seen by this entry; it registers on the first only.
  int loadCounter;
  QIVFactoryArgument argument = QIVFactoryArgument::Text;
};

// The module as the host loads it: loading builds the trace object,
// registers every factory under its class name, the bindings of the
// activity property pages and the ties of the feature appearance file's
// SAX handler, the first time only;
// unloading destroys the trace object.
namespace ZELVekBIWCommandsModule {
void Load();
void Unload();
// The 37 entry points, in the order they are registered.
const std::vector<ZELVekBIWCommandEntry>& Entries();
}  // namespace ZELVekBIWCommandsModule
