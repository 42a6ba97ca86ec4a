#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "JournalReader.h"

namespace {
QIVUnicodeString ErrorOf(std::string_view text) {
  const JournalReader::Result result = JournalReader::Parse(text, "job.journal");
  EXPECT_FALSE(result.Succeeded()) << text;
  EXPECT_TRUE(result.events.empty());
  return result.error ? result.error->Format() : QIVUnicodeString();
}

// A file in the test's temporary folder, removed with it.
class TempFile {
 public:
  explicit TempFile(std::string_view contents) {
    _path = std::filesystem::temp_directory_path() /
            ("journal-reader-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".journal");
    std::ofstream(_path, std::ios::binary) << contents;
  }
  ~TempFile() { std::filesystem::remove(_path); }
  QIVUnicodeString Path() const { return QIVUnicodeString(_path.string()); }

 private:
  std::filesystem::path _path;
};
}  // namespace

TEST(JournalReaderTest, ReadsEventsWithTheirLinesSkippingCommentsAndBlanks) {
  const char* journal =
      "# import the welds of the floor\n"
      "start ZELVekBIWReadWeldFromFileCmd\r\n"
      "\n"
      "   \t\n"
      "type EditorTextPathId \"examples/floor welds.txt\"   # the light turns green\n"
      "press OK\n"
      "expect no-box";
  const JournalReader::Result result = JournalReader::Parse(journal, "import.journal");
  ASSERT_TRUE(result.Succeeded()) << result.error->Format();
  ASSERT_EQ(result.events.size(), 4u);
  EXPECT_EQ(result.events[0].Format(), "start ZELVekBIWReadWeldFromFileCmd");
  EXPECT_EQ(result.events[0].GetLine(), 2);
  EXPECT_EQ(result.events[1].GetArgument(1), "examples/floor welds.txt");
  EXPECT_EQ(result.events[1].GetLine(), 5);
  EXPECT_EQ(result.events[2].GetLine(), 6);
  EXPECT_EQ(result.events[3].GetLine(), 7);
  EXPECT_EQ(result.events[3].GetSourceName(), "import.journal");

  EXPECT_TRUE(JournalReader::Parse("", "empty.journal").events.empty());
  EXPECT_TRUE(JournalReader::Parse("\xEF\xBB\xBFpress OK\n", "bom.journal").Succeeded());
}

TEST(JournalReaderTest, EachFaultNamesFileLineAndReason) {
  EXPECT_EQ(ErrorOf("press OK\nprss OK\n"), "job.journal:2: unknown verb 'prss'");
  EXPECT_EQ(ErrorOf("# c\ntype EditorTextPathId \"body.txt\npress OK\n"),
            "job.journal:2: unclosed quote opened at column 23");
  EXPECT_EQ(ErrorOf("press OK\r\nchoose C first\r\n"),
            "job.journal:2: bad number 'first': expected a whole number from 0, at most 9 digits");
  EXPECT_EQ(ErrorOf("Press OK\n"), "job.journal:1: unknown verb 'Press'");
}

TEST(JournalReaderTest, BinaryAndHugeInputIsRefusedNotRead) {
  EXPECT_EQ(ErrorOf(std::string_view("press OK\n\x7F"
                                     "ELF\x02\x01\x01\0\0",
                                     18)),
            "job.journal:2: not a text line: control character 0x7F at column 1");
  EXPECT_EQ(ErrorOf("press OK\ntype E \"caf\xE9\"\n"),
            "job.journal:2: not a text line: byte 0xE9 that is not UTF-8 at column 12");
  EXPECT_EQ(ErrorOf("press OK\rpress Cancel\n"),
            "job.journal:1: not a text line: control character 0x0D at column 9");

  const std::string longest = "type E " + std::string(JournalReader::kMaxLineLength - 7, 'x');
  EXPECT_TRUE(JournalReader::Parse(longest, "job.journal").Succeeded());
  EXPECT_EQ(ErrorOf("press OK\n" + longest + "x\n"), "job.journal:2: line longer than 65536 bytes");
}

TEST(JournalReaderTest, ReadsFilesAndPlacesFileFaultsOnTheFile) {
  TempFile good("env ADL_ODT_IN 1\nstart ZELVekBIWResetFastenerColorCmd\nsave\n");
  const JournalReader::Result result = JournalReader::Read(good.Path());
  ASSERT_TRUE(result.Succeeded()) << result.error->Format();
  ASSERT_EQ(result.events.size(), 3u);
  EXPECT_EQ(result.events[1].GetSourceName(), good.Path());
  EXPECT_EQ(result.events[2].GetLine(), 3);

  TempFile bad("save\nsave out.biw extra\n");
  EXPECT_EQ(JournalReader::Read(bad.Path()).error->Format(),
            bad.Path() + ":2: wrong number of arguments (usage: save [PATH])");

  const JournalReader::Result missing = JournalReader::Read("/nonexistent/dir/job.journal");
  ASSERT_FALSE(missing.Succeeded());
  EXPECT_EQ(missing.error->Format(), "/nonexistent/dir/job.journal: cannot open: No such file or directory");

  const QIVUnicodeString folder(std::filesystem::temp_directory_path().string());
  EXPECT_EQ(JournalReader::Read(folder).error->Format(), folder + ": cannot read: Is a directory");

  TempFile huge(std::string(JournalReader::kMaxFileSize + 1, '\n'));
  EXPECT_EQ(JournalReader::Read(huge.Path()).error->Format(),
            huge.Path() + ": larger than 64 MiB, too large for a journal");
}
