#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "BiwplanVerbTest.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

constexpr const char* kStation = "process:Process/UnderBody Line/Station 10 Front Floor";
constexpr const char* kLoad = "process:Process/UnderBody Line/Station 10 Front Floor/Load parts";
constexpr const char* kPanel = "product:UnderBody.1/FrontFloor.1/FrontFloorPanel.1";

// biwplan assign-locators and report locators on the sample document and
// its fixture (examples/underbody_locators.csv).
using LocatorVerbsTest = BiwplanVerbTest;

}  // namespace

TEST_F(LocatorVerbsTest, AssignPrintsTheRefusalsSavesAndSaysWhenNothingWasAssigned) {
  ASSERT_EQ(Run("assign-locators", {kLoad, "--item", kPanel, "feature:A_FrontFloor"}),
            BiwplanExit::Ok);
  EXPECT_THAT(_out,
              HasSubstr("1    CP_FF_01  FrontFloorPanel.1  swing clamp  Load parts  Activity type does not"));
  EXPECT_THAT(_out, HasSubstr("assigned 3 item(s)"));
  const std::string saved = DocumentText();

  ASSERT_EQ(Run("assign-locators", {kLoad, "--item", "feature:LP_FF_01"}),
            BiwplanExit::NothingToDo);
  EXPECT_THAT(_out, HasSubstr("Item already assigned to the activity."));
  EXPECT_EQ(DocumentText(), saved);
  // An activity is no item, and the process root takes no locator.
  EXPECT_EQ(Run("assign-locators", {kLoad, "--item", kStation}), BiwplanExit::Failed);
  EXPECT_EQ(Run("assign-locators", {"process:Process", "--item", "feature:LP_FF_01"}), BiwplanExit::Failed);
}

TEST_F(LocatorVerbsTest, ReportFiltersByProductAndAssignmentsInEveryFormat) {
  ASSERT_EQ(Run("assign-locators", {kLoad, kStation, "--item", "feature:LP_FF_01"}),
            BiwplanExit::Ok);
  ASSERT_EQ(Run("report locators", {"--filter", "multi", "--format", "csv"}), BiwplanExit::Ok);
  EXPECT_EQ(_out,
            "No.,Locator,Description,Product,Activities\r\n"
            "1,LP_FF_01,4-way pin,FrontFloorPanel.1,Process/UnderBody Line/Station 10 Front Floor/Load parts;"
            "Process/UnderBody Line/Station 10 Front Floor\r\n");

  ASSERT_EQ(Run("report locators", {"--product", "UnderBody.1/RockerLeft.1", "--format", "json"}),
            BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("\"name\": \"LP_RK_L01\""));
  EXPECT_THAT(_out, HasSubstr("\"assignedTo\": []"));
  EXPECT_THAT(_out, Not(HasSubstr("LP_FF_01")));

  ASSERT_EQ(Run("report locators", {"--filter", "unassigned"}), BiwplanExit::Ok);
  EXPECT_THAT(_out, Not(HasSubstr("LP_FF_01")));
  EXPECT_THAT(_out, HasSubstr("Locators not Assigned: 14 of 15"));
}
