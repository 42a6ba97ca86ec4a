#include <gtest/gtest.h>

#include "QIVEnvironment.h"
#include "QIVSettingsRepository.h"
#include "TemporaryDirectory.h"

namespace {
class QIVSettingsRepositoryTest : public ::testing::Test {
 protected:
  TemporaryDirectory dir;
  QIVScopedEnv settings{"BIWPLAN_SETTINGS_DIR", dir.File("config/biwplan").c_str()};
  QIVUnicodeString errorText;

  std::string FileText(const char* name) {
    return dir.Read(std::string("config/biwplan/") + name + ".settings");
  }
  // Another spelling of the same directory gives another repository object,
  // read afresh from the file the first one saved.
  QIVSettingsRepository& Reopen(const char* name) {
    QIVScopedEnv sameDirectory("BIWPLAN_SETTINGS_DIR", dir.File("config/./biwplan").c_str());
    return QIVSettingsRepository::GetRepository(name);
  }
};
}  // namespace

TEST_F(QIVSettingsRepositoryTest, AbsentFileIsCreatedAndDefaultsAreWrittenOut) {
  QIVSettingsRepository& repository = QIVSettingsRepository::GetRepository("ZELVekBIWSettings");
  EXPECT_EQ(&repository, &QIVSettingsRepository::GetRepository("ZELVekBIWSettings"));
  EXPECT_EQ(repository.GetFilePath(), dir.File("config/biwplan/ZELVekBIWSettings.settings"));
  EXPECT_EQ(FileText("ZELVekBIWSettings"),
            "// Settings \"ZELVekBIWSettings\" of biwplan; the program rewrites this file.\n");

  EXPECT_FALSE(repository.Contains("ManageFastener.PosX"));
  EXPECT_EQ(repository.GetInt("ManageFastener.PosX", 120), 120);
  EXPECT_TRUE(repository.Contains("ManageFastener.PosX"));
  EXPECT_EQ(repository.GetInt("ManageFastener.PosX", 7), 120);  // the first default stays
  EXPECT_EQ(repository.GetBool("ManageFastener.chkCollectFast", false), false);
  EXPECT_EQ(repository.GetText("TextDefaultPath", "/data/welds"), "/data/welds");
  ASSERT_EQ(repository.Save(errorText), S_OK);
  EXPECT_EQ(FileText("ZELVekBIWSettings"),
            "// Settings \"ZELVekBIWSettings\" of biwplan; the program rewrites this file.\n"
            "ManageFastener.PosX = \"120\";\n"
            "ManageFastener.chkCollectFast = \"false\";\n"
            "TextDefaultPath = \"/data/welds\";\n");
}

TEST_F(QIVSettingsRepositoryTest, EveryTypeRoundTripsThroughTheFile) {
  QIVSettingsRepository& repository = QIVSettingsRepository::GetRepository("RoundTrip");
  repository.SetText("TextDefaultFileName", "C:\\welds\\\"body\" 1\nend");
  repository.SetInt("ManageFastener.DimX", -2147483647 - 1);
  repository.SetDouble("Tolerance", 0.1);
  repository.SetDouble("Huge", 1.5e300);
  repository.SetBool("PartLoadConstraint", true);
  repository.SetInt("ManageFastener.DimX", 640);  // replaces, keeps its place
  ASSERT_EQ(repository.Save(errorText), S_OK);

  QIVSettingsRepository& reread = Reopen("RoundTrip");
  ASSERT_NE(&reread, &repository);
  EXPECT_EQ(reread.GetText("TextDefaultFileName", ""), "C:\\welds\\\"body\" 1\nend");
  EXPECT_EQ(reread.GetInt("ManageFastener.DimX", 0), 640);
  EXPECT_EQ(reread.GetDouble("Tolerance", 0), 0.1);
  EXPECT_EQ(reread.GetDouble("Huge", 0), 1.5e300);
  EXPECT_TRUE(reread.GetBool("PartLoadConstraint", false));
  // A value read with another type than it was written keeps its text.
  EXPECT_EQ(reread.GetText("ManageFastener.DimX", ""), "640");
  EXPECT_EQ(reread.GetDouble("ManageFastener.DimX", 0), 640.0);
}

TEST_F(QIVSettingsRepositoryTest, MalformedLinesAndValuesAreReportedAndTakeTheDefault) {
  const std::string path = dir.File("config/biwplan/Broken.settings");
  std::filesystem::create_directories(dir.File("config/biwplan"));
  dir.Write("config/biwplan/Broken.settings",
            "ManageFastener.PosX = \"35\";\n"
            "ManageFastener.PosY = 40;\n"
            "ManageFastener.DimX = \"wide\";\n"
            "PartLoadConstraint = \"yes\";\n"
            "Tolerance = \"1e-3mm\";\n"
            "TextDefaultPath = \"/data\";\n");
  testing::internal::CaptureStderr();
  QIVSettingsRepository& repository = QIVSettingsRepository::GetRepository("Broken");
  EXPECT_EQ(repository.GetInt("ManageFastener.PosX", 0), 35);
  EXPECT_EQ(repository.GetInt("ManageFastener.PosY", 11), 11);
  EXPECT_EQ(repository.GetInt("ManageFastener.DimX", 500), 500);
  EXPECT_EQ(repository.GetInt("ManageFastener.DimX", 501), 500);  // reported once, then the default holds
  EXPECT_TRUE(repository.GetBool("PartLoadConstraint", true));
  EXPECT_EQ(repository.GetDouble("Tolerance", 0.5), 0.5);
  EXPECT_EQ(repository.GetText("TextDefaultPath", ""), "/data");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            path + ":2: expected a text in double quotes after '='; line skipped\n" + path +
                ":3: \"wide\" is not an integer for ManageFastener.DimX; the default is used\n" + path +
                ":4: \"yes\" is not true or false for PartLoadConstraint; the default is used\n" + path +
                ":5: \"1e-3mm\" is not a number for Tolerance; the default is used\n");
}

TEST(QIVSettingsRepositoryDirectoryTest, EnvironmentThenConfigurationHomeThenHome) {
  QIVScopedEnv settings("BIWPLAN_SETTINGS_DIR", "/srv/biwplan");
  QIVScopedEnv config("XDG_CONFIG_HOME", "/home/planner/.cfg");
  QIVScopedEnv home("HOME", "/home/planner");
  EXPECT_EQ(QIVSettingsRepository::SettingsDirectory(), "/srv/biwplan");
  QIVUnsetEnv("BIWPLAN_SETTINGS_DIR");
  EXPECT_EQ(QIVSettingsRepository::SettingsDirectory(), "/home/planner/.cfg/biwplan");
  QIVSetEnv("XDG_CONFIG_HOME", "");
  EXPECT_EQ(QIVSettingsRepository::SettingsDirectory(), "/home/planner/.config/biwplan");
  QIVUnsetEnv("HOME");
  EXPECT_EQ(QIVSettingsRepository::SettingsDirectory(), "");

  // Without a directory the settings still answer, but cannot be saved.
  QIVSettingsRepository& repository = QIVSettingsRepository::GetRepository("Homeless");
  EXPECT_EQ(repository.GetFilePath(), "");
  EXPECT_EQ(repository.GetInt("ManageFastener.PosY", 3), 3);
  QIVUnicodeString errorText;
  EXPECT_EQ(repository.Save(errorText), E_FAIL);
  EXPECT_TRUE(errorText.Contains("no settings directory"));
}

TEST(QIVSettingsRepositoryDirectoryTest, UnwritableDirectoryKeepsSettingsForTheSession) {
  TemporaryDirectory dir;
  dir.Write("file", "x");
  QIVScopedEnv settings("BIWPLAN_SETTINGS_DIR", dir.File("file/biwplan").c_str());
  testing::internal::CaptureStderr();
  QIVSettingsRepository& repository = QIVSettingsRepository::GetRepository("ZELVekBIWSettings");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "cannot create directory " + dir.File("file/biwplan") +
                ": Not a directory; settings \"ZELVekBIWSettings\" are kept for this session only\n");
  repository.SetBool("PartLoadConstraint", true);
  EXPECT_TRUE(repository.GetBool("PartLoadConstraint", false));
}
