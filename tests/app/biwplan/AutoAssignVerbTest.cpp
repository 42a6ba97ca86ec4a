#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "BiwplanVerbTest.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

constexpr const char* kStation = "process:Process/UnderBody Line/Station 10 Front Floor";
constexpr const char* kWelding = "process:Process/UnderBody Line/Station 10 Front Floor/Weld floor";

// biwplan auto-assign on the sample document with the under-body welds
// imported and a spot welding activity in the first station that handles
// the front floor's four parts. Nine welds join only those parts: W2001 to
// W2009.
class AutoAssignVerbTest : public BiwplanVerbTest {
 protected:
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    const std::string welds = (fs::path(BiwplanSample::ExamplesDirectory()) / "underbody_welds.txt").string();
    ASSERT_EQ(Run("import-welds", {welds}), BiwplanExit::Ok);
    ASSERT_EQ(Run("add-activity", {kStation, "BIWActivitySpotWelding", "Weld floor"}), BiwplanExit::Ok);
    ASSERT_EQ(Run("handle", {kWelding, "product:UnderBody.1/FrontFloor.1/FrontFloorPanel.1",
                               "product:UnderBody.1/FrontFloor.1/TunnelReinforcement.1",
                               "product:UnderBody.1/FrontFloor.1/SeatCrossMemberFront.1",
                               "product:UnderBody.1/FrontFloor.1/SeatCrossMemberRear.1"}),
              BiwplanExit::Ok);
  }

  int AutoAssign(std::vector<std::string> arguments) { return Run("auto-assign", std::move(arguments)); }

  std::vector<std::string> SavedAssignments() const { return BiwplanSavedAssignments(_path, kWelding); }
};

TEST_F(AutoAssignVerbTest, PrintsTheProposalRemovesRowsAndAssignsTheRest) {
  EXPECT_EQ(AutoAssign({"process:Process/UnderBody Line", "--remove", "2"}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("#  Fastener  Activity\n"
                              "-  --------  ----------\n"
                              "1  W2001, A  Weld floor\n"
                              "2  W2002, A  Weld floor\n"));
  EXPECT_THAT(_out, HasSubstr("9  W2009, A  Weld floor\n"));
  EXPECT_THAT(_out, HasSubstr("removed row 2: W2002, A -> Weld floor\n"));
  EXPECT_THAT(_out, HasSubstr("assigned 8 fastener(s)\n"));
  EXPECT_THAT(SavedAssignments(), ElementsAre("W2001, A", "W2003, A", "W2004, A", "W2005, A", "W2006, A", "W2007, A",
                                              "W2008, A", "W2009, A"));

  // The removed weld is still free; once it is taken nothing is left.
  EXPECT_EQ(AutoAssign({kWelding}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("1  W2002, A  Weld floor\n"));
  EXPECT_EQ(SavedAssignments().size(), 9u);
  EXPECT_EQ(AutoAssign({kWelding}), BiwplanExit::NothingToDo);
  EXPECT_THAT(_out, HasSubstr("\"There is no fastener to assign: "));
  EXPECT_THAT(_err, HasSubstr("biwplan: nothing to assign under " + std::string(kWelding)));
}

TEST_F(AutoAssignVerbTest, DryRunsRemovingEverythingAndBadRowsLeaveTheFileAsItWas) {
  const std::string before = DocumentText();
  EXPECT_EQ(AutoAssign({kWelding, "--dry-run"}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("dry run: 9 fastener(s) would be assigned"));

  EXPECT_EQ(AutoAssign({kWelding, "--remove", "1", "2", "3", "4", "5", "6", "7", "8", "9"}),
            BiwplanExit::NothingToDo);
  EXPECT_THAT(_out, HasSubstr("assigned 0 fastener(s)"));

  EXPECT_EQ(AutoAssign({kWelding, "--remove", "10"}), BiwplanExit::Usage);
  EXPECT_THAT(_err, HasSubstr("there is no row 10 in the proposal (rows 1 to 9); nothing was assigned"));
  EXPECT_THAT(_out, Not(HasSubstr("assigned")));

  EXPECT_EQ(AutoAssign({"product:UnderBody.1"}), BiwplanExit::Failed);
  EXPECT_THAT(_err, HasSubstr("product:UnderBody.1 is not an activity"));
  EXPECT_TRUE(DocumentText() == before) << "the document file changed";
}

}  // namespace
