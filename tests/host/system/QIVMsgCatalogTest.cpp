#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "QIVBuiltinCatalogs.h"
#include "QIVEnvironment.h"
#include "QIVMsgCatalog.h"
#include "SourceTree.h"
#include "TemporaryDirectory.h"

namespace {
class QIVMsgCatalogTest : public ::testing::Test {
 protected:
  TemporaryDirectory dir;
  QIVScopedEnv catalogs{"BIWPLAN_CATALOGS", dir.Path().c_str()};
};

const std::filesystem::path sourceCatalogs = SourcePath("resources/catalogs");
}  // namespace

TEST_F(QIVMsgCatalogTest, BuildsTextsWithParametersAndFallsBackToTheDefault) {
  dir.Write("ZELVekBIWReallocateWeldCmd.catalog",
            "// Reallocation\n"
            "MessageWeldsMoved = \"/p1 welds moved to /p2.\\nSee the report.\";\n"
            "TitleWarning = \"WARNING\";\n");
  const QIVUnicodeString params[] = {"12", "Station.2"};
  EXPECT_EQ(
      QIVMsgCatalog::BuildMessage("ZELVekBIWReallocateWeldCmd", "MessageWeldsMoved", params, 2, "unused"),
      "12 welds moved to Station.2.\nSee the report.");
  EXPECT_EQ(QIVMsgCatalog::BuildMessage("ZELVekBIWReallocateWeldCmd", "TitleWarning", nullptr, 0, "Title"),
            "WARNING");
  // Missing key, missing catalogue: the default, with its placeholders filled.
  EXPECT_EQ(QIVMsgCatalog::BuildMessage("ZELVekBIWReallocateWeldCmd", "NoSuchKey", params, 2, "Moved /p1"),
            "Moved 12");
  EXPECT_EQ(QIVMsgCatalog::BuildMessage("ZELVekBIWNoSuchCmd", "TitleErr", nullptr, 0, "WeldCreationError"),
            "WeldCreationError");
  EXPECT_EQ(QIVMsgCatalog::BuildMessage("ZELVekBIWNoSuchCmd", "TitleErr"), "");
  // A name that would leave the catalogue folder is never read.
  dir.Write("Escape.catalog", "TitleErr = \"read\";\n");
  std::filesystem::create_directory(dir.File("sub"));
  EXPECT_EQ(QIVMsgCatalog::BuildMessage("sub/../Escape", "TitleErr", nullptr, 0, "default"), "default");
}

TEST_F(QIVMsgCatalogTest, MalformedLinesAreReportedAndTheRestIsUsed) {
  const std::string path = dir.Write("ZELVekBIWAssignWeldDlg.catalog",
                                     "ErrorNoWeldAssigned = \"No fasteners currently assigned.\";\n"
                                     "LabelNumberId = Number of welds;\n"
                                     "LabelAssignNumberId = \"Assigned\";\n");
  testing::internal::CaptureStderr();
  const QIVMsgCatalog& catalog = QIVMsgCatalog::LoadMsgCatalog("ZELVekBIWAssignWeldDlg");
  const std::string warnings = testing::internal::GetCapturedStderr();
  EXPECT_EQ(warnings, path + ":2: expected a text in double quotes after '='; line skipped\n");
  EXPECT_EQ(catalog.Size(), 2);
  EXPECT_EQ(QIVMsgCatalog::BuildMessage("ZELVekBIWAssignWeldDlg", "LabelNumberId", nullptr, 0, "Number"),
            "Number");
  EXPECT_EQ(QIVMsgCatalog::BuildMessage("ZELVekBIWAssignWeldDlg", "LabelAssignNumberId"), "Assigned");
}

TEST_F(QIVMsgCatalogTest, BuiltInCopiesAreTheSourceFilesAndAFileInTheOverrideDirectoryWins) {
  std::set<std::string> sourceNames;
  for (const auto& entry : std::filesystem::directory_iterator(sourceCatalogs))
    if (entry.path().extension() == ".catalog") sourceNames.insert(entry.path().stem().string());
  std::set<std::string> builtinNames;
  for (const QIVBuiltinCatalog& builtin : QIVBuiltinCatalogs()) {
    builtinNames.insert(builtin.name);
    std::ifstream in(sourceCatalogs / (std::string(builtin.name) + ".catalog"), std::ios::binary);
    const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(std::string(builtin.text, builtin.size), source) << builtin.name;
  }
  EXPECT_EQ(builtinNames, sourceNames);

  // The override directory is taken file by file: where it has no copy, the
  // built-in one answers; where it has one, that copy does.
  TemporaryDirectory translations;
  for (const QIVBuiltinCatalog& builtin : QIVBuiltinCatalogs()) {
    const int builtinSize = [&] {
      QIVScopedEnv none("BIWPLAN_CATALOGS", nullptr);
      return QIVMsgCatalog::LoadMsgCatalog(builtin.name).Size();
    }();
    EXPECT_EQ(QIVMsgCatalog::LoadMsgCatalog(builtin.name).Size(), builtinSize) << builtin.name;
    translations.Write(std::string(builtin.name) + ".catalog", "OverrideProbe = \"translated\";\n");
  }
  QIVScopedEnv translated("BIWPLAN_CATALOGS", translations.Path().c_str());
  for (const QIVBuiltinCatalog& builtin : QIVBuiltinCatalogs()) {
    EXPECT_EQ(QIVMsgCatalog::BuildMessage(builtin.name, "OverrideProbe"), "translated") << builtin.name;
    EXPECT_EQ(QIVMsgCatalog::LoadMsgCatalog(builtin.name).Size(), 1) << builtin.name;
  }
}
