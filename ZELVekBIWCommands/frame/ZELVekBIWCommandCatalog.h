#pragma once

#include <cstdint>
#include <span>

#include "QIVDictionary.h"

// What the factory of an entry point takes.
enum class ZELVekBIWArgument { None, Text, Object };

// One entry point of the module: the class name the host's dictionary
// knows it by, the argument its factory takes, what the factory makes, and
// the command name, behaviour word and mode the command is built with
// (none for the dialog entry point).
struct ZELVekBIWCommandRow {
  using Make = QIVBaseUnknown* (*)(const ZELVekBIWCommandRow& row, void* argument);

  const char* className;
  ZELVekBIWArgument argument;
  Make make;
  const char* commandName;
  std::uint64_t behavior;
  int mode;
};

// The one table of the module's entry points. The factory functions the
// dictionary registers, the registration itself and the program's list of
// commands are all made from it.
namespace ZELVekBIWCommandCatalog {
// The 37 rows, in registration order.
std::span<const ZELVekBIWCommandRow> Rows();
// The factory of row `index`: the plain one for a row without argument,
// the one taking an argument otherwise (the other is null).
QIVFactoryFunction Factory(std::size_t index);
QIVFactoryArgFunction FactoryWithArgument(std::size_t index);
}  // namespace ZELVekBIWCommandCatalog
