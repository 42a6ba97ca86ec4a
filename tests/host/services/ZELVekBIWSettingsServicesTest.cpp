#include "ZELVekBIWSettingsServices.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "QIVEnvironment.h"

namespace {

// A settings folder of its own for each test, so each reads its repository
// afresh.
class ZELVekBIWSettingsServicesTest : public ::testing::Test {
 protected:
  std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                 ("biwplan-settings-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
  QIVScopedEnv settings{"BIWPLAN_SETTINGS_DIR", folder.c_str()};

  void SetUp() override { std::filesystem::create_directories(folder); }
  void TearDown() override { std::filesystem::remove_all(folder); }
};

}  // namespace

TEST_F(ZELVekBIWSettingsServicesTest, DefaultsLeaveTheConstraintOffAndStartInTheWorkingFolder) {
  bool constraint = true;
  EXPECT_EQ(ZELVekBIWSettingsServices::GetPartLoadConstraint(constraint), S_OK);
  EXPECT_FALSE(constraint);
  QIVUnicodeString path, fileName;
  ZELVekBIWSettingsServices::GetTextDefaultPath(path);
  ZELVekBIWSettingsServices::GetTextDefaultFileName(fileName);
  EXPECT_EQ(path, ".");
  EXPECT_EQ(fileName, "welds.txt");
}

TEST_F(ZELVekBIWSettingsServicesTest, ThePlannersSettingsFileDecides) {
  std::ofstream(folder / "ZELVekBIWSettings.settings") << "PartLoadConstraint = \"true\";\n"
                                                           "TextDefaultPath = \"/data/welds\";\n"
                                                           "TextDefaultFileName = \"underbody.txt\";\n";
  bool constraint = false;
  ZELVekBIWSettingsServices::GetPartLoadConstraint(constraint);
  EXPECT_TRUE(constraint);
  QIVUnicodeString path, fileName;
  ZELVekBIWSettingsServices::GetTextDefaultPath(path);
  ZELVekBIWSettingsServices::GetTextDefaultFileName(fileName);
  EXPECT_EQ(path, "/data/welds");
  EXPECT_EQ(fileName, "underbody.txt");
}
