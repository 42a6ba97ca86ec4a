#include <gmock/gmock.h>
#include <gtest/gtest.h>


#include "BiwplanVerbTest.h"
#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

constexpr const char* kWelding = "process:Process/UnderBody Line/Station 10 Front Floor/Weld floor";

// biwplan assign and unassign on the sample document with a spot welding
// activity in the first station and four fasteners: spot welds W1 to W3
// and a sealant bead S1.
class AssignmentVerbsTest : public BiwplanVerbTest {
 protected:
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    BiwplanSession session;
    ASSERT_TRUE(BiwplanOpen(session, _path));
    QIVBaseUnknown_var station = BiwplanFindObject(session, "process:Process/UnderBody Line/Station 10 Front Floor");
    QIVBaseUnknown_var welding;
    ASSERT_EQ(QIVISPPChildManagement_var(station)->CreateChild("BIWActivitySpotWelding", welding), S_OK);
    QIVISPPActivity_var(welding)->SetName("Weld floor");
    QIVBaseUnknown_var container, top, weld;
    session.Document()->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    factory->GetTopGroup(top);
    for (const char* name : {"W1, A", "W2, A", "W3, A", "S1"}) {
      factory->CreatePointFastener(top, weld);
      QIVIAlias_var(weld)->SetAlias(name);
      ZELIBIWFastener_var(weld)->SetType(name[0] == 'S' ? "sealant" : "spot weld");
    }
    ASSERT_TRUE(BiwplanSave(session));
  }

  std::vector<std::string> SavedAssignments() const { return BiwplanSavedAssignments(_path, kWelding); }
};

TEST_F(AssignmentVerbsTest, AssignsThroughTheDialogTellsWhatWasSkippedAndSaves) {
  EXPECT_EQ(Run("assign", {kWelding, "W2, A", "S1", "W1, A"}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("command started ZELVekBIWAssignWeldCmd"));
  EXPECT_THAT(_out, HasSubstr("assigned W2, A\nassigned W1, A\n"));
  EXPECT_THAT(_out, HasSubstr("skipped S1: a sealant does not fit this activity\n"));
  EXPECT_THAT(SavedAssignments(), ::testing::ElementsAre("W2, A", "W1, A"));

  EXPECT_EQ(Run("assign", {kWelding, "W1, A"}), BiwplanExit::NothingToDo);
  EXPECT_THAT(_out, HasSubstr("skipped W1, A: already assigned to Process/UnderBody Line/Station 10 Front Floor/Weld "
                              "floor"));
  EXPECT_EQ(Run("unassign", {kWelding, "W2, A", "W3, A"}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("unassigned W2, A\n"));
  EXPECT_THAT(_out, HasSubstr("skipped W3, A: not assigned to"));
  EXPECT_THAT(SavedAssignments(), ::testing::ElementsAre("W1, A"));
}

TEST_F(AssignmentVerbsTest, TheRootIsRefused) {
  EXPECT_EQ(Run("assign", {"process:Process", "W1, A"}), BiwplanExit::Refused);
  EXPECT_THAT(_out, HasSubstr("Assignment to the root process is not allowed."));
  EXPECT_THAT(_out, Not(HasSubstr("assigned W1")));
  EXPECT_TRUE(SavedAssignments().empty());
}

}  // namespace
