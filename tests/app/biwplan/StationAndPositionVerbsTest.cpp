#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include "BiwplanVerbTest.h"
#include "BiwplanStationVerbs.h"
#include "QIVPlantLibraryFile.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWPointFastener.h"
#include "ZELPLMServices.h"

using ::testing::ContainsRegex;
using ::testing::HasSubstr;

namespace {

// The sample document with a cell product and two welds, W1 published to a
// repository of the test's own with the examples' plant library, W2 added
// after; W1 has been moved since.
class StationAndPositionVerbsTest : public BiwplanVerbTest {
 protected:
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    setenv("BIWPLAN_REPOSITORY", (_folder / "repository.sqlite").c_str(), 1);
    BiwplanSession session;
    ASSERT_TRUE(BiwplanOpen(session, _path));
    QIVBaseUnknown_var cell, container, top;
    session.Document()->CreateProduct(nullptr, "Cell.1", "", cell);
    session.Document()->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var(container)->GetTopGroup(top);
    const QIVBaseUnknown_var w1 = Weld(container, top, "W1");
    std::unique_ptr<QIVRepository> repository = QIVRepository::Open(QIVRepositoryLocation::Resolve(""));
    QIVLibraryContents library;
    std::string error;
    ASSERT_TRUE(QIVPlantLibraryFile::Read(BiwplanSample::ExamplesDirectory() + "/plant-library.json", library,
                                          error));
    repository->ReplaceLibrary(library);
    ZELPLMServices::PublishDocument(session.Document(), *repository);
    ZELIBIWPointFastener_var(w1)->SetManufacturingPosition({1, 2, 3, 0, 0, 0}, false);
    Weld(container, top, "W2");
    ASSERT_TRUE(BiwplanSave(session));
  }
  void TearDown() override {
    unsetenv("BIWPLAN_REPOSITORY");
    BiwplanVerbTest::TearDown();
  }

  static QIVBaseUnknown_var Weld(const QIVBaseUnknown_var& container, const QIVBaseUnknown_var& top,
                                 const char* name) {
    QIVBaseUnknown_var weld;
    ZELIBIWFPPFactory_var(container)->CreatePointFastener(top, weld);
    QIVIAlias_var(weld)->SetAlias(name);
    ZELIBIWPointFastener_var(weld)->SetDesignPosition({10, 20, 30, 0, 0, 90});
    return weld;
  }
};

}  // namespace

TEST_F(StationAndPositionVerbsTest, ResetPositionsTellsWhatEachFastenerGot) {
  const std::string before = DocumentText();
  EXPECT_EQ(Run("reset-positions", {"--to", "saved", "W1", "W2", "--dry-run"}), BiwplanExit::Ok) << _err;
  // W1 was published without a manufacturing position.
  EXPECT_EQ(_out, "reset W1: none\nkept W2: no PLM identifier (the document was not published)\n");
  EXPECT_EQ(DocumentText(), before);
  EXPECT_EQ(Run("reset-positions", {"--to", "design", "W2"}), BiwplanExit::Ok) << _err;
  EXPECT_EQ(_out, "reset W2: 10 20 30 0 0 90\n");
  EXPECT_EQ(Run("reset-positions", {"--to", "design", "W2"}), BiwplanExit::NothingToDo);
  EXPECT_EQ(_out, "kept W2: already at its design position\n");
  EXPECT_EQ(Run("reset-positions", {"--to", "nowhere", "W2"}), BiwplanExit::Usage);
  EXPECT_EQ(Run("reset-positions", {"--to", "design", "W9"}), BiwplanExit::Failed);
}

TEST_F(StationAndPositionVerbsTest, InsertStationListsChoosesAndRefuses) {
  const std::string before = DocumentText();
  const std::string line = "process:Process/UnderBody Line";
  ASSERT_EQ(Run("insert-station", {line, "product:Cell.1"}), BiwplanExit::Ok) << _err;
  EXPECT_THAT(_out, ContainsRegex("Side member cells +Side member sealing cell +Sealing +410000 +0.00 +55.00"));
  EXPECT_EQ(Run("insert-station", {line, "product:Cell.1", "--template", "Nothing"}), BiwplanExit::Failed);
  EXPECT_EQ(
      Run("insert-station", {"process:Process/UnderBody Line/Station 10 Front Floor", "product:Cell.1"}),
      BiwplanExit::Refused);
  EXPECT_EQ(DocumentText(), before);
  ASSERT_EQ(
      Run("insert-station", {line, "product:Cell.1", "--template", "Rear floor respot station"}),
      BiwplanExit::Ok)
      << _err;
  EXPECT_EQ(_out,
            "inserted Process/UnderBody Line/Rear floor respot station\n"
            "resource Cell.1/Spot weld robot R-210.1\n");
  EXPECT_THAT(DocumentText(), HasSubstr("\"plantType\": \"WeldRobot\""));
}

TEST_F(StationAndPositionVerbsTest, SyncPrintsTheWorldAtTheStationAndChangesNothing) {
  const std::string before = DocumentText();
  const std::string loading = "process:Process/UnderBody Line/Station 20 Rear Floor/Load parts";
  ASSERT_EQ(Run("sync", {loading}), BiwplanExit::Ok) << _err;
  EXPECT_THAT(_out, HasSubstr("world at Process/UnderBody Line/Station 20 Rear Floor (entire process)"));
  EXPECT_THAT(_out, ContainsRegex("FrontFloorPanel.1 +assembled +1200 0 150 0 0 0"));
  EXPECT_THAT(_out, ContainsRegex("RearFloorPanel.1 +loaded +2600 0 220 0 0 0"));
  EXPECT_THAT(_out, ContainsRegex("SideMemberInnerLeft.1 +absent +-"));
  ASSERT_EQ(Run("sync", {loading, "--isolation"}), BiwplanExit::Ok) << _err;
  EXPECT_THAT(_out, ContainsRegex("FrontFloorPanel.1 +absent"));
  EXPECT_EQ(Run("sync", {"process:Process"}), BiwplanExit::NothingToDo);
  EXPECT_EQ(DocumentText(), before);
}
