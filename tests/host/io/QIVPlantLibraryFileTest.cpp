#include "QIVPlantLibraryFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

std::string WriteFile(const std::string& name, const std::string& text) {
  const std::string path = (std::filesystem::temp_directory_path() / (std::to_string(::getpid()) + name)).string();
  std::ofstream(path) << text;
  return path;
}

TEST(QIVPlantLibraryFileTest, WritesWhatItReads) {
  QIVLibraryContents library;
  library.plantTypes = {{"Resource", ""}, {"Robot", "Resource"}};
  library.plantTypeSetMaster = "Resource";
  library.plantTypeSetChildren = {"Robot"};
  library.resources = {{"R1", "Robot"}};
  library.templates = {{"Framing", {{"S1", "BIWActivityStation", 1.5e5, 2.5, 0.5, "R1"}}}};
  const std::string path = WriteFile("library.json", QIVPlantLibraryFile::Write(library));
  QIVLibraryContents read;
  std::string error;
  ASSERT_TRUE(QIVPlantLibraryFile::Read(path, read, error)) << error;
  EXPECT_EQ(QIVPlantLibraryFile::Write(read), QIVPlantLibraryFile::Write(library));
  std::filesystem::remove(path);
}

struct Refused {
  const char* text;
  const char* error;
};

class QIVPlantLibraryFileRefusalTest : public ::testing::TestWithParam<Refused> {};

TEST_P(QIVPlantLibraryFileRefusalTest, NamesTheLineAndTheReason) {
  const std::string path = WriteFile("refused.json", GetParam().text);
  QIVLibraryContents read;
  std::string error;
  EXPECT_FALSE(QIVPlantLibraryFile::Read(path, read, error));
  EXPECT_EQ(error, path + ":" + GetParam().error);
  std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(
    Files, QIVPlantLibraryFileRefusalTest,
    ::testing::Values(Refused{"{\n\"plantTypes\": [\n{\"name\": \"A\", \"derivesfrom\": \"B\"},\n"
                              "{\"name\": \"B\", \"derivesfrom\": \"A\"}]}",
                              "3: the \"derivesfrom\" chain comes back to \"A\""},
                      Refused{"{\"resources\": [],\n\"templates\": [{\"name\": \"T\", \"stations\": [\n"
                              "{\"name\": \"S\", \"_stationtype\": \"x\", \"proc_uses_plant\": \"R9\"}]}]}",
                              "3: no resource \"R9\" in the library"},
                      Refused{"{\"templates\": [{\"name\": \"T\"},\n {\"name\": \"T\"}]}",
                              "2: a second template \"T\""},
                      Refused{"{\"stations\": []}", "1: unknown key \"stations\""},
                      Refused{"{\n\"templates\": [", "2: not JSON: column 15"}));

}  // namespace
