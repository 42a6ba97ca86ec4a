#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "QIVAtomicFile.h"
#include "TemporaryDirectory.h"

namespace {
class QIVAtomicFileTest : public ::testing::Test {
 protected:
  void TearDown() override { QIVSetAtomicWriteHook(nullptr); }
  TemporaryDirectory dir;
  QIVUnicodeString errorText;
};

mode_t ModeOf(const std::string& path) {
  struct stat status;
  stat(path.c_str(), &status);
  return status.st_mode & 07777;
}
}  // namespace

TEST_F(QIVAtomicFileTest, CreatesAndReplacesLeavingOnlyTheTarget) {
  const std::string path = dir.File("body.json");
  ASSERT_EQ(QIVWriteFileAtomically(path, "{\"v\": 1}\n", errorText), S_OK);
  EXPECT_EQ(dir.Read("body.json"), "{\"v\": 1}\n");
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(ModeOf(path), 0666u & ~mask);  // not the private mode of a temporary

  chmod(path.c_str(), 0640);
  ASSERT_EQ(QIVWriteFileAtomically(path, "", errorText), S_OK);
  EXPECT_EQ(dir.Read("body.json"), "");
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(dir.EntryCount(), 1);
}

TEST_F(QIVAtomicFileTest, FailureBeforeTheRenameKeepsTheOldFileAndRemovesTheTemporary) {
  const std::string path = dir.Write("body.json", "old");
  std::string seenTemporary, seenContent;
  QIVSetAtomicWriteHook([&](const std::string& temporary) {
    seenTemporary = temporary;
    seenContent = dir.Read(temporary.substr(dir.Path().size() + 1));
    return EIO;
  });
  EXPECT_EQ(QIVWriteFileAtomically(path, "new content", errorText), E_FAIL);
  EXPECT_EQ(errorText, "cannot write " + path + ": Input/output error");
  EXPECT_EQ(dir.Read("body.json"), "old");
  EXPECT_EQ(dir.EntryCount(), 1);
  // The temporary was complete, and beside the target so that the rename
  // cannot cross file systems.
  EXPECT_EQ(seenTemporary.rfind(dir.Path() + "/", 0), 0u);
  EXPECT_EQ(seenContent, "new content");

  QIVSetAtomicWriteHook([](const std::string&) { return 0; });
  EXPECT_EQ(QIVWriteFileAtomically(path, "new content", errorText), S_OK);
  EXPECT_EQ(dir.Read("body.json"), "new content");
}

TEST_F(QIVAtomicFileTest, MissingDirectoryOrDirectoryTargetIsReported) {
  const std::string path = dir.File("absent/body.json");
  EXPECT_EQ(QIVWriteFileAtomically(path, "x", errorText), E_FAIL);
  EXPECT_EQ(errorText, "cannot write " + path + ": No such file or directory");

  std::filesystem::create_directory(dir.File("taken"));
  EXPECT_EQ(QIVWriteFileAtomically(dir.File("taken"), "x", errorText), E_FAIL);
  EXPECT_TRUE(errorText.StartsWith("cannot write " + dir.File("taken") + ": "));
  EXPECT_EQ(dir.EntryCount(), 1);
}

TEST_F(QIVAtomicFileTest, RelativePathWritesInTheCurrentDirectory) {
  const std::string previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  const HRESULT rc = QIVWriteFileAtomically("plain.txt", "x", errorText);
  std::filesystem::current_path(previous);
  EXPECT_EQ(rc, S_OK);
  EXPECT_EQ(dir.Read("plain.txt"), "x");
}
