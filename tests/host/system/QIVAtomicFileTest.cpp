#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
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
  struct stat status {};
  stat(path.c_str(), &status);
  return status.st_mode & 07777;
}

// Runs `save` in a child process that kills itself where `save` says, as a
// crash or kill -9 would end a save.
template <class Save>
void RunKilled(Save save) {
  const pid_t child = fork();
  if (child == 0) {
    save();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status));
}
}  // namespace

TEST_F(QIVAtomicFileTest, CreatesAndReplacesKeepingTheModeAndReportsWhatBlocks) {
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

  const std::string absent = dir.File("absent/body.json");
  EXPECT_EQ(QIVWriteFileAtomically(absent, "x", errorText), E_FAIL);
  EXPECT_EQ(errorText, "cannot write " + absent + ": No such file or directory");
  EXPECT_EQ(dir.EntryCount(), 1);
}

TEST_F(QIVAtomicFileTest, AFailedOrKilledSaveLeavesTheOldFileAndTheNextSaveRemovesItsTemporary) {
  const std::string path = dir.Write("body.json", "old");
  std::string seenContent;
  QIVSetAtomicWriteHook([&](const std::string& temporary) {
    // Complete, and beside the target so that the rename stays on one file system.
    seenContent = dir.Read(temporary.substr(dir.Path().size() + 1));
    return EIO;
  });
  EXPECT_EQ(QIVWriteFileAtomically(path, "new content", errorText), E_FAIL);
  EXPECT_EQ(errorText, "cannot write " + path + ": Input/output error");
  EXPECT_EQ(seenContent, "new content");
  EXPECT_EQ(dir.EntryCount(), 1);
  QIVSetAtomicWriteHook(nullptr);

  RunKilled([&] {
    QIVSetAtomicWriteHook([](const std::string&) { return raise(SIGKILL); });
    QIVWriteFileAtomically(path, "new", errorText);
  });
  EXPECT_EQ(dir.Read("body.json"), "old");
  EXPECT_EQ(dir.EntryCount(), 2);
  // A save still running in this process keeps its temporary.
  const std::string running = ".body.json.tmp-" + std::to_string(getpid()) + "-x";
  dir.Write(running, "");
  ASSERT_EQ(QIVWriteFileAtomically(path, "newer", errorText), S_OK) << errorText;
  EXPECT_EQ(dir.Read("body.json"), "newer");
  EXPECT_EQ(dir.EntryCount(), 2);
}

TEST_F(QIVAtomicFileTest, ASaveThroughALinkReplacesItsTargetKeepingModeAndOwner) {
  const std::string target = dir.Write("real.json", "old");
  chmod(target.c_str(), 0640);
  // As root, the save of another user's document keeps it theirs.
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(target.c_str(), 4242, 4243), 0);
  }
  ASSERT_EQ(symlink("real.json", dir.File("link.json").c_str()), 0);
  ASSERT_EQ(QIVWriteFileAtomically(dir.File("link.json"), "new", errorText), S_OK) << errorText;
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.json")));
  EXPECT_EQ(dir.Read("real.json"), "new");
  struct stat status {};
  stat(target.c_str(), &status);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(status.st_uid, 4242u);
  }
  EXPECT_EQ(dir.EntryCount(), 2);
}
