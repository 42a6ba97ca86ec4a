#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "BiwplanVerbTest.h"
#include "ZELFastenerServices.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

// biwplan import-welds on the sample document.
class WeldImportVerbTest : public BiwplanVerbTest {
 protected:
  void SetUp() override {
    BiwplanVerbTest::SetUp();
    _welds = (fs::path(BiwplanSample::ExamplesDirectory()) / "underbody_welds.txt").string();
  }

  int Import(std::vector<std::string> arguments) { return Run("import-welds", std::move(arguments)); }
  int SavedFastenerCount() {
    BiwplanSession session;
    EXPECT_TRUE(BiwplanOpen(session, _path));
    _SEQUENCE_QIVBaseUnknown_ptr fasteners;
    ZELFastenerServices::GetListOfAllFasteners(fasteners, QIVBaseUnknown_var(session.Document()));
    const int count = static_cast<int>(fasteners.size());
    QIVReleaseSequence(fasteners);
    return count;
  }

  std::string _welds;
};

TEST_F(WeldImportVerbTest, ImportsTellsWhatWasCreatedAndTheRecordsNotPlacedThenSaves) {
  EXPECT_EQ(Import({_welds}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("command started ZELVekBIWReadWeldFromFileCmd\n"));
  EXPECT_THAT(_out, HasSubstr("box 0x10100200 \"WeldCreationError\" \"SomeWeldsNotCreated\\nWeldIndex12   "
                              "ManyInstancesForOnePart - UnderBody.1\\\\FrontFloor.1\\\\FF-1105\\n\" -> OK\n"));
  EXPECT_THAT(_out, HasSubstr("created 19 assembly joints, 22 joint bodies\n"
                              "created 39 fasteners: 1 adhesive, 1 clinch, 3 sealant, 34 spot weld\n"));
  EXPECT_EQ(_err, "");
  EXPECT_EQ(SavedFastenerCount(), 39);

  // Again: the joints and joint bodies are there, only the fasteners are new.
  _out.clear();
  EXPECT_EQ(Import({_welds}), BiwplanExit::Ok);
  EXPECT_THAT(_out, HasSubstr("created 0 assembly joints, 0 joint bodies\n"
                              "created 39 fasteners: 1 adhesive, 1 clinch, 3 sealant, 34 spot weld\n"));
  EXPECT_EQ(SavedFastenerCount(), 78);
}

}  // namespace
