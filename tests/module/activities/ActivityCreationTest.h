#pragma once

#include <string>
#include <vector>

#include "ModuleTestSession.h"
#include "QIVListVal.h"
#include "activities/ZELVekBIWCreateActivityCmd.h"
#include "activities/ZELVekBIWCreateActivityDlg.h"

// A planning session on a small process, in which the tests play the
// planner through the dispatcher:
//
//   Process
//     Grouping.1
//       Station.1: Loading.1 -> SpotWelding.1 -> Unloading.1
//     AssemblyOperation.1            (not a BIW activity)
//     DynamicActivity.1              (stands for nothing until a test says so)
//
// Each test must leave no object or shown dialog behind.
class ActivityCreationTest : public ModuleTestSession {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The command of that class, started; null when the start was refused.
  ZELVekBIWCreateActivityCmd* Start(const std::string& className);
  ZELVekBIWCreateActivityCmd* Command();
  ZELVekBIWCreateActivityDlg* Dialog();

  // A pick of the object, as a path from the process root down to it.
  HRESULT Pick(const QIVBaseUnknown_var& object);

  static QIVBaseUnknown_var Child(const QIVBaseUnknown_var& parent, const char* type);
  static QIVListValQIVUnicodeString ChildNames(const QIVBaseUnknown_var& parent);
  static QIVListValQIVUnicodeString NextNames(const QIVBaseUnknown_var& activity);
  static QIVUnicodeString NameOf(const QIVBaseUnknown_var& activity);
  static double Attribute(const QIVBaseUnknown_var& activity, const char* name);
  static void SetAttribute(const QIVBaseUnknown_var& activity, const char* name, double value);
  // Every activity of the process as "Father/Name [next names]", in tree
  // order: what a saved process would show.
  std::vector<std::string> ProcessOutline() const;

  int BusyCursorCount();

  QIVBaseUnknown_var _root, _grouping, _station, _loading, _welding, _unloading, _assembly, _dynamic;
};

// Readable text lists in failed expectations.
void PrintTo(const QIVListValQIVUnicodeString& names, std::ostream* out);
QIVListValQIVUnicodeString Names(std::initializer_list<const char*> names);
