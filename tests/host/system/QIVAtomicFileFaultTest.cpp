#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "QIVAtomicFile.h"
#include "TemporaryDirectory.h"

namespace {
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

struct stat StatusOf(const std::string& path) {
  struct stat status {};
  stat(path.c_str(), &status);
  return status;
}
}  // namespace

TEST(QIVAtomicFileFaultTest, AKilledSaveLeavesTheOldFileAndTheNextSaveRemovesItsTemporary) {
  TemporaryDirectory dir;
  const std::string path = dir.Write("body.json", "old");
  RunKilled([&] {
    QIVAtomicFile file;
    QIVUnicodeString ignored;
    file.Open(path, ignored);
    file.Write("half written");
    raise(SIGKILL);
  });
  RunKilled([&] {
    QIVSetAtomicWriteHook([](const std::string&) { return raise(SIGKILL); });
    QIVUnicodeString ignored;
    QIVWriteFileAtomically(path, "new", ignored);
  });
  EXPECT_EQ(dir.Read("body.json"), "old");
  EXPECT_GE(dir.EntryCount(), 2);  // the temporary named just before the rename
  // A save still running in this process keeps its temporary.
  const std::string running = ".body.json.tmp-" + std::to_string(getpid()) + "-x";
  dir.Write(running, "");

  QIVUnicodeString errorText;
  ASSERT_EQ(QIVWriteFileAtomically(path, "newer", errorText), S_OK) << errorText;
  EXPECT_EQ(dir.Read("body.json"), "newer");
  EXPECT_EQ(dir.EntryCount(), 2);
  EXPECT_TRUE(std::filesystem::exists(dir.File(running)));
}

TEST(QIVAtomicFileFaultTest, ASaveThroughALinkReplacesItsTargetKeepingModeAndOwner) {
  TemporaryDirectory dir;
  const std::string target = dir.Write("real.json", "old");
  chmod(target.c_str(), 0640);
  // As root, the save of another user's document keeps it theirs.
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(target.c_str(), 4242, 4243), 0);
  }
  ASSERT_EQ(symlink("real.json", dir.File("link.json").c_str()), 0);
  ASSERT_EQ(symlink(dir.File("later.json").c_str(), dir.File("dangling.json").c_str()), 0);

  QIVUnicodeString errorText;
  ASSERT_EQ(QIVWriteFileAtomically(dir.File("link.json"), "new", errorText), S_OK) << errorText;
  ASSERT_EQ(QIVWriteFileAtomically(dir.File("dangling.json"), "made", errorText), S_OK) << errorText;

  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.json")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling.json")));
  EXPECT_EQ(dir.Read("real.json"), "new");
  EXPECT_EQ(dir.Read("later.json"), "made");
  const struct stat status = StatusOf(target);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(status.st_uid, 4242u);
    EXPECT_EQ(status.st_gid, 4243u);
  }
  EXPECT_EQ(dir.EntryCount(), 4);
}
