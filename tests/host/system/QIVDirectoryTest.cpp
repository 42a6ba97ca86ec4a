#include <gtest/gtest.h>

#include <set>
#include <string>

#include "QIVDirectory.h"
#include "TemporaryDirectory.h"

TEST(QIVDirectoryTest, ListsEntriesWithoutDotsAndEndsWithFalse) {
  TemporaryDirectory dir;
  dir.Write("a.txt", "1");
  dir.Write("b.QIVWeld", "2");
  std::filesystem::create_directory(dir.File("sub"));

  QIVDirectory directory;
  ASSERT_EQ(QIVOpenDirectory(dir.Path(), directory), S_OK);
  EXPECT_TRUE(directory.IsOpen());
  EXPECT_EQ(directory.Path(), dir.Path());
  std::set<std::string> names;
  QIVUnicodeString name;
  HRESULT rc;
  while ((rc = QIVReadDirectory(directory, name)) == S_OK) names.insert(name.str());
  EXPECT_EQ(rc, S_FALSE);
  EXPECT_EQ(names, (std::set<std::string>{"a.txt", "b.QIVWeld", "sub"}));
  EXPECT_EQ(QIVCloseDirectory(directory), S_OK);
  EXPECT_FALSE(directory.IsOpen());
  EXPECT_EQ(QIVCloseDirectory(directory), E_FAIL);
  EXPECT_EQ(QIVReadDirectory(directory, name), E_FAIL);
}

TEST(QIVDirectoryTest, CreatesMissingParentsAndReportsWhatBlocks) {
  TemporaryDirectory dir;
  QIVUnicodeString errorText;
  EXPECT_EQ(QIVCreateDirectories(dir.File("config/biwplan/deep"), errorText), S_OK);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("config/biwplan/deep")));
  EXPECT_EQ(QIVCreateDirectories(dir.File("config/biwplan/"), errorText), S_OK);  // already there

  dir.Write("plain", "x");
  EXPECT_EQ(QIVCreateDirectories(dir.File("plain/sub"), errorText), E_FAIL);
  EXPECT_EQ(errorText, "cannot create directory " + dir.File("plain/sub") + ": Not a directory");
  EXPECT_EQ(QIVCreateDirectories(dir.File("plain"), errorText), E_FAIL);
  EXPECT_EQ(QIVCreateDirectories("", errorText), E_FAIL);
}
