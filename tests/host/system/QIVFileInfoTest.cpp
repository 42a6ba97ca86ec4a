#include <gtest/gtest.h>

#include "QIVFileInfo.h"
#include "TemporaryDirectory.h"

TEST(QIVFileInfoTest, KindBitsAndSize) {
  TemporaryDirectory dir;
  QIVFileInfo info;
  ASSERT_EQ(QIVGetFileInfo(dir.Write("welds.txt", std::string(1500, 'x')), info), S_OK);
  EXPECT_TRUE(info.IsRegularFile());
  EXPECT_FALSE(info.IsDirectory());
  EXPECT_EQ(info.kind, unsigned(QIVFileInfo::RegularFile));
  EXPECT_EQ(info.size, 1500);

  ASSERT_EQ(QIVGetFileInfo(dir.Path(), info), S_OK);
  EXPECT_TRUE(info.IsDirectory());
  EXPECT_FALSE(info.IsRegularFile());

  EXPECT_EQ(QIVGetFileInfo(dir.File("absent"), info), E_FAIL);
  EXPECT_EQ(info.kind, 0u);
  EXPECT_EQ(info.size, 0);
  EXPECT_EQ(QIVGetFileInfo("/dev/null", info), S_OK);  // neither a file nor a directory
  EXPECT_EQ(info.kind, 0u);
}
