#include <gmock/gmock.h>

#include "BiwplanVerbTest.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVSettingsRepository.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELVekBIWSettingsServices.h"

using ::testing::HasSubstr;

namespace {

constexpr const char* kStation = "process:Process/UnderBody Line/Station 10 Front Floor";
constexpr const char* kWeldA = "process:Process/UnderBody Line/Station 10 Front Floor/Weld A";
constexpr const char* kWeldB = "process:Process/UnderBody Line/Station 10 Front Floor/Weld B";
constexpr const char* kSeal = "process:Process/UnderBody Line/Station 10 Front Floor/Seal";

constexpr const char* kPanel = "UnderBody.1/FrontFloor.1/FrontFloorPanel.1";
constexpr const char* kTunnel = "UnderBody.1/FrontFloor.1/TunnelReinforcement.1";

// The sample document with four fasteners: spot welds W1 to W3 and a
// sealant bead S1, all in the top group; the first station gets spot
// welding activities "Weld A" (holding W1 to W3) and "Weld B" and a sealant
// application "Seal".
class FastenerSelectionVerbsTest : public BiwplanVerbTest {
 protected:
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    BiwplanSession session;
    ASSERT_TRUE(BiwplanOpen(session, _path));
    QIVBaseUnknown_var container, top, weld;
    session.Document()->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    factory->GetTopGroup(top);
    QIVListValQIVBaseUnknown_var spots;
    // Every fastener joins the front floor panel and the tunnel
    // reinforcement; W4 stays unassigned.
    const QIVListValQIVBaseUnknown_var joined{BiwplanFindObject(session, std::string("product:") + kPanel),
                                              BiwplanFindObject(session, std::string("product:") + kTunnel)};
    for (const char* name : {"W1, A", "W2, A", "W3, B", "S1", "W4, C"}) {
      factory->CreatePointFastener(top, weld);
      QIVIAlias_var(weld)->SetAlias(name);
      ZELIBIWFastener_var(weld)->SetType(name[0] == 'S' ? "sealant" : "spot weld");
      ZELIBIWFeaturePartRelations_var(container)->SetRelatedParts(weld, joined, true);
      if (name[0] == 'W' && name[1] != '4') spots.Append(weld);
    }
    const QIVISPPChildManagement_var station(BiwplanFindObject(session, kStation));
    QIVBaseUnknown_var activity;
    for (auto [type, name] : {std::pair{"BIWActivitySpotWelding", "Weld A"},
                              {"BIWActivitySpotWelding", "Weld B"},
                              {"BIWActivitySealantApplication", "Seal"}}) {
      ASSERT_EQ(station->CreateChild(type, activity), S_OK);
      QIVISPPActivity_var(activity)->SetName(name);
    }
    ZELFastenerServices::AssignListOfWelds(&spots, BiwplanFindObject(session, kWeldA), nullptr, 0);
    ASSERT_TRUE(BiwplanSave(session));
  }
};

}  // namespace

TEST_F(FastenerSelectionVerbsTest, PrintsWhatTheQuerySelectsAndChangesNothing) {
  const std::string before = DocumentText();
  ASSERT_EQ(Run("select", {"--query", "type=spot weld; name=*A", "--format", "csv"}), BiwplanExit::Ok)
      << _err;
  EXPECT_EQ(_out, "Identifier,Name,Type\r\nW1,\"W1, A\",spot weld\r\nW2,\"W2, A\",spot weld\r\n");
  EXPECT_EQ(DocumentText(), before);
}

TEST_F(FastenerSelectionVerbsTest, ReallocateMovesWhatFitsAndTellsWhyTheRestStayed) {
  ASSERT_EQ(Run("reallocate", {kWeldA, kWeldB, "W1, A", "W3, B", "S1"}), BiwplanExit::Ok) << _err;
  EXPECT_EQ(_out, "moved W1, A\nmoved W3, B\nskipped S1: not assigned to " + std::string(kWeldA) + "\n");
  EXPECT_EQ(BiwplanSavedAssignments(_path, kWeldB), (std::vector<std::string>{"W1, A", "W3, B"}));
  EXPECT_EQ(BiwplanSavedAssignments(_path, kWeldA), (std::vector<std::string>{"W2, A"}));
}

struct RefusedMove {
  const char* name;
  const char* to;
  const char* reason;
};

class ReallocateRefusalVerbTest : public FastenerSelectionVerbsTest,
                                  public ::testing::WithParamInterface<RefusedMove> {};

TEST_P(ReallocateRefusalVerbTest, NothingMovedExitsFourAndLeavesTheFile) {
  const std::string before = DocumentText();
  EXPECT_EQ(Run("reallocate", {kWeldA, GetParam().to, "W2, A"}), BiwplanExit::NothingToDo);
  EXPECT_EQ(_out, std::string("skipped W2, A: ") + GetParam().reason + "\n");
  EXPECT_EQ(DocumentText(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, ReallocateRefusalVerbTest,
    ::testing::Values(
        RefusedMove{"Origin", kWeldA,
                    "already assigned to process:Process/UnderBody Line/Station 10 Front Floor/Weld A"},
        RefusedMove{"Root", "process:Process", "process:Process is the process root"},
        RefusedMove{"WrongFastenerType", kSeal,
                    "a spot weld does not fit process:Process/UnderBody Line/Station 10 Front Floor/Seal"}),
    [](const ::testing::TestParamInfo<RefusedMove>& info) { return std::string(info.param.name); });

TEST_F(FastenerSelectionVerbsTest, PreviewListsTheFastenersBetweenTheProductsAndAssignsTheChosen) {
  ASSERT_EQ(Run("preview", {kWeldB, kPanel, kTunnel, "--assign", "W4, C", "S1", "W1, A"}),
            BiwplanExit::Ok)
      << _err;
  EXPECT_THAT(_out, HasSubstr("1    W1, A     spot weld     may not     Duplication"));
  EXPECT_THAT(_out, HasSubstr("S1        sealant       may not     Invalid Process Type"));
  EXPECT_THAT(_out, HasSubstr("W4, C     spot weld     may"));
  EXPECT_THAT(_out,
              HasSubstr("assigned W4, C\nskipped S1: Invalid Process Type\nskipped W1, A: Duplication\n"));
  EXPECT_EQ(BiwplanSavedAssignments(_path, kWeldB), (std::vector<std::string>{"W4, C"}));
  const std::string before = DocumentText();
  EXPECT_EQ(Run("preview", {kWeldB, kPanel, kTunnel, "--assign", "S1"}), BiwplanExit::NothingToDo);
  EXPECT_EQ(DocumentText(), before);
}

namespace {

// The sample document with its weld file imported and a spot welding
// activity "Weld B" in the first station.
class ImportedWeldsPreviewTest : public BiwplanVerbTest {
 protected:
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    ASSERT_EQ(Run("import-welds", {BiwplanSample::ExamplesDirectory() + "/underbody_welds.txt"}),
              BiwplanExit::Ok)
        << _err;
    BiwplanSession session;
    ASSERT_TRUE(BiwplanOpen(session, _path));
    QIVBaseUnknown_var activity;
    ASSERT_EQ(QIVISPPChildManagement_var(BiwplanFindObject(session, kStation))
                  ->CreateChild("BIWActivitySpotWelding", activity),
              S_OK);
    QIVISPPActivity_var(activity)->SetName("Weld B");
    ASSERT_TRUE(BiwplanSave(session));
  }
};

}  // namespace

// An imported weld's parts are those of its joint: the preview lists the
// welds between the joint's parts and checks those parts against the
// station's with the part-load constraint on.
TEST_F(ImportedWeldsPreviewTest, ListsAndChecksTheWeldsByTheirJointsParts) {
  ASSERT_EQ(Run("preview", {kWeldB, kPanel, kTunnel}), BiwplanExit::Ok) << _err;
  EXPECT_THAT(_out, HasSubstr("W2001, A  spot weld     may  "));
  EXPECT_THAT(_out, HasSubstr("W2004, A  spot weld     may  "));
  QIVSettingsRepository& settings =
      QIVSettingsRepository::GetRepository(ZELVekBIWSettingsServices::RepositoryName);
  settings.SetBool("PartLoadConstraint", true);
  const int status = Run("preview", {kWeldB, kPanel, "UnderBody.1/RockerLeft.1"});
  settings.SetBool("PartLoadConstraint", false);
  ASSERT_EQ(status, BiwplanExit::Ok) << _err;
  EXPECT_THAT(_out, HasSubstr("W2029, A  spot weld     may not     Part not loaded"));
}
