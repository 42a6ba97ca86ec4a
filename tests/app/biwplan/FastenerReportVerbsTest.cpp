#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "BiwplanReports.h"
#include "BiwplanVerbTest.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

constexpr const char* kStation = "Process/UnderBody Line/Station 10 Front Floor";
constexpr const char* kWelding = "process:Process/UnderBody Line/Station 10 Front Floor/Weld floor";

// biwplan report welds and ids on the sample document with the under-body
// welds imported (39; four seams sort before them) and W2001, W2002
// assigned to a spot welding activity of the first station.
class FastenerReportVerbsTest : public BiwplanVerbTest {
 protected:
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    const std::string welds = (fs::path(BiwplanSample::ExamplesDirectory()) / "underbody_welds.txt").string();
    ASSERT_EQ(Run("import-welds", {welds, "--save"}), BiwplanExit::Ok);
    ASSERT_EQ(
        Run("add-activity", {std::string("process:") + kStation, "BIWActivitySpotWelding", "Weld floor"}),
        BiwplanExit::Ok);
    ASSERT_EQ(Run("assign", {kWelding, "W2001, A", "W2002, A", "--save"}), BiwplanExit::Ok);
  }
};

}  // namespace

TEST_F(FastenerReportVerbsTest, WeldReportFiltersCountsAndNarrowsToAProduct) {
  ASSERT_EQ(Run("report welds", {"--filter", "assigned", "--format", "csv"}), BiwplanExit::Ok);
  EXPECT_EQ(_out,
            "No.,Fastener,Type,Activities\r\n"
            "5,\"W2001, A\",spot weld,Process/UnderBody Line/Station 10 Front Floor/Weld floor;\r\n"
            "6,\"W2002, A\",spot weld,Process/UnderBody Line/Station 10 Front Floor/Weld floor;\r\n");
  ASSERT_EQ(Run("report welds", {"--filter", "unassigned"}), BiwplanExit::Ok);
  EXPECT_THAT(_out, Not(HasSubstr("W2001")));
  EXPECT_THAT(_out, HasSubstr("Fasteners not Assigned: 37 of 39\n"));
  // The tunnel reinforcement's welds only.
  ASSERT_EQ(Run("report welds",
                {"--product", "UnderBody.1/FrontFloor.1/TunnelReinforcement.1", "--format", "json"}),
            BiwplanExit::Ok);
  const nlohmann::json report = nlohmann::json::parse(_out);
  EXPECT_EQ(report["fasteners"], 5);
  ASSERT_EQ(report["items"].size(), 5u);
  EXPECT_EQ(report["items"][0]["assignedTo"], nlohmann::json::array());
  EXPECT_EQ(report["items"][1], nlohmann::json::parse(R"({"position": 2, "name": "W2001, A", "type": "spot weld",
      "assignedTo": ["Process/UnderBody Line/Station 10 Front Floor/Weld floor"]})"));
  // A product no fastener joins: nothing to report on.
  EXPECT_EQ(Run("report welds", {"--product", "UnderBody.1"}), BiwplanExit::NothingToDo);
}

TEST_F(FastenerReportVerbsTest, IdsCollectAsTheRecursiveOptionSaysAndDisplayOnlyWithinTheSession) {
  // The station holds no fastener itself; its welding activity does.
  EXPECT_EQ(Run("ids", {"show", "--activity", kStation}), BiwplanExit::NothingToDo);
  ASSERT_EQ(Run("ids", {"show", "--activity", kStation, "--recursive"}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("1    W2001, A  spot weld\n2    W2002, A  spot weld\n"));
  EXPECT_THAT(_out, Not(HasSubstr("identifiers shown")));
  ASSERT_EQ(Run("ids", {"generate", "--activity", kStation, "--recursive", "--product",
                        "UnderBody.1/FrontFloor.1/TunnelReinforcement.1"}),
            BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("identifiers shown: "));
  EXPECT_THAT(_out, Not(HasSubstr("identifiers shown: 0")));
  // A new run has no display of an earlier one to remove.
  EXPECT_EQ(Run("ids", {"remove"}), BiwplanExit::NothingToDo);
  EXPECT_THAT(_out, HasSubstr("identifiers removed: 0"));
  EXPECT_EQ(Run("ids", {"show", "--product", "UnderBody.1/Nope.1"}), BiwplanExit::Failed);
}
