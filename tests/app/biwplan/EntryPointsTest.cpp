#include <gtest/gtest.h>

#include <map>
#include <string>

#include "BiwplanCli.h"
#include "BiwplanVerbTest.h"
#include "frame/ZELVekBIWCommandCatalog.h"

namespace {

// The sample document with the under-body welds imported and a spot
// welding activity in the first station handling two of its parts.
using EntryPointsTest = BiwplanVerbTest;

}  // namespace

// Every command of the catalogue, started in a fresh session, builds its
// own work: it waits for the planner in its first state or, for those that
// act at once, does it and ends; none refuses with a box.
TEST_F(EntryPointsTest, EveryCommandStartsItsOwnWork) {
  ASSERT_EQ(Run("import-welds", {BiwplanSample::ExamplesDirectory() + "/underbody_welds.txt"}), BiwplanExit::Ok);
  ASSERT_EQ(Run("add-activity", {"process:Process/UnderBody Line/Station 10 Front Floor", "BIWActivitySpotWelding",
                                 "Weld"}),
            BiwplanExit::Ok);
  ASSERT_EQ(Run("handle", {"process:Process/UnderBody Line/Station 10 Front Floor/Weld",
                           "product:UnderBody.1/FrontFloor.1/FrontFloorPanel.1",
                           "product:UnderBody.1/FrontFloor.1/TunnelReinforcement.1"}),
            BiwplanExit::Ok);
  const std::map<std::string, std::string> arguments = {
      {"ZELBIWFastenerLocationCmd", "DesignPosition"},
      {"ZELVekBIWAutoAssignWeldCmd", "\"process:Process/UnderBody Line/Station 10 Front Floor/Weld\""}};
  // Those that end at once, with what their work shows (no box, or the
  // count of design fasteners).
  const std::map<std::string, std::string> endAtOnce = {{"ZELRemoveFastenerIDCmd", "no-box"},
                                                        {"ZELVekBIWResetFastenerColorCmd", "no-box"},
                                                        {"ZELVekBIWImportFastenersCmd", "box \"design fastener\""}};
  int commands = 0;
  for (const ZELVekBIWCommandRow& row : ZELVekBIWCommandCatalog::Rows()) {
    const std::string name = row.className;
    if (name == "ZELVekBIWEditManufacturingLocationDlg") continue;
    SCOPED_TRACE(name);
    BiwplanSession session;
    ASSERT_TRUE(BiwplanOpen(session, _path));
    const auto argument = arguments.find(name);
    const auto ending = endAtOnce.find(name);
    const std::string journal = "start " + name + (argument == arguments.end() ? "" : " " + argument->second) +
                                "\nexpect " + (ending == endAtOnce.end() ? "no-box" : ending->second) + "\n";
    EXPECT_EQ(BiwplanPlayJournal(session, journal, "entry", false), BiwplanExit::Ok);
    const bool ended = BiwplanOutcome(session, name).ending == QIVCommandOutcome::Ending::Ended;
    EXPECT_EQ(ended, endAtOnce.count(name) == 1);
    EXPECT_EQ(session.Dispatcher().GetActiveCommandClass(), ended ? "" : name);
    ++commands;
  }
  EXPECT_EQ(commands, 36);
}
