#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "QIVFile.h"
#include "QIVFileStamp.h"
#include "QIVLineReader.h"
#include "TemporaryDirectory.h"

namespace {
std::string ReadByBytes(QIVFile& file) {
  std::string read;
  for (int c = QIVFGetChar(file); c != EOF; c = QIVFGetChar(file)) {
    EXPECT_GE(c, 0);
    EXPECT_LE(c, 255);
    read += static_cast<char>(c);
  }
  return read;
}

// A line as reading byte by byte gives it: up to a line feed or `limit`
// bytes, the byte at the limit dropped.
std::string LineByBytes(QIVFile& file, std::size_t limit, bool& atEnd) {
  std::string line;
  for (std::size_t count = 1;; ++count) {
    const int c = QIVFGetChar(file);
    atEnd = c == EOF;
    if (atEnd || c == '\n' || count == limit) return line;
    line += static_cast<char>(c);
  }
}
}  // namespace

// Lines around the cut and across block boundaries read as byte by byte.
TEST(QIVLineReaderTest, ReadsLinesAsByteByByteReadingDoes) {
  TemporaryDirectory dir;
  std::string content;
  for (std::size_t length : {0, 5, 1022, 1023, 1024, 1025, 3000, 70000, 1, 2047, 65535, 7})
    content += std::string(length, static_cast<char>('a' + length % 26)) + (length == 7 ? "" : "\n");
  dir.Write("lines.txt", content);
  QIVFile expected, opened;
  ASSERT_EQ(QIVFOpen(dir.File("lines.txt"), "r", expected), S_OK);
  ASSERT_EQ(QIVFOpen(dir.File("lines.txt"), "r", opened), S_OK);
  QIVLineReader reader(opened);
  bool atEnd = false;
  int lines = 0;
  while (!atEnd) {
    const std::string line = LineByBytes(expected, 1024, atEnd);
    ASSERT_EQ(reader.ReadLine(1024), line) << "line " << lines;
    ASSERT_EQ(reader.AtEnd(), atEnd) << "line " << lines;
    ++lines;
  }
  EXPECT_GT(lines, 100);
  EXPECT_EQ(reader.ReadLine(1024), "");
}

TEST(QIVFileTest, ReadsEveryByteWritesAppendsAndRefusesWhatItCannotDo) {
  TemporaryDirectory dir;
  const std::string path = dir.File("out.txt");
  const std::string content = "3.0\r\nCaf\xC3\xA9 \xFF\nlast";
  QIVFile file;
  ASSERT_EQ(QIVFOpen(path, "w", file), S_OK);
  EXPECT_EQ(QIVFWrite(file, QIVUnicodeString(content.substr(0, 5))), S_OK);
  ASSERT_EQ(QIVFOpen(path, "a", file), S_OK);  // also closes the file opened before
  EXPECT_EQ(QIVFWrite(file, content.data() + 5, content.size() - 5), S_OK);
  ASSERT_EQ(QIVFClose(file), S_OK);
  EXPECT_EQ(QIVFClose(file), E_FAIL);

  ASSERT_EQ(QIVFOpen(path, "rb", file), S_OK);
  EXPECT_EQ(QIVFWrite(file, "x", 1), E_FAIL);  // opened for reading only
  EXPECT_EQ(ReadByBytes(file), content);      // CR kept, 0xFF not taken for EOF
  EXPECT_TRUE(QIVFEof(file));

  errno = 0;
  EXPECT_EQ(QIVFOpen(dir.File("absent.txt"), "r", file), E_FAIL);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(QIVFGetChar(file), EOF);
  std::size_t count = 7;
  char buffer[4];
  EXPECT_EQ(QIVFRead(file, buffer, sizeof buffer, count), E_FAIL);
  EXPECT_EQ(count, 0u);
  for (const char* mode : {"r+", "x", "", "rw"}) EXPECT_EQ(QIVFOpen(path, mode, file), E_INVALIDARG) << mode;
  EXPECT_EQ(QIVFOpen(path, nullptr, file), E_INVALIDARG);
}

TEST(QIVFileTest, ReadWholeFileNamesPathAndReasonOnFailure) {
  TemporaryDirectory dir;
  const std::string bytes("a\0b\r\n", 5);
  dir.Write("doc.json", bytes);
  std::string content;
  QIVUnicodeString errorText;
  ASSERT_EQ(QIVReadWholeFile(dir.File("doc.json"), content, errorText), S_OK);
  EXPECT_EQ(content, bytes);
  EXPECT_EQ(QIVReadWholeFile(dir.File("none.json"), content, errorText), E_FAIL);
  EXPECT_EQ(errorText, "cannot read " + dir.File("none.json") + ": No such file or directory");
  EXPECT_TRUE(content.empty());
  EXPECT_EQ(QIVReadWholeFile(dir.Path(), content, errorText), E_FAIL);
  EXPECT_TRUE(errorText.Contains("Is a directory"));
}

// A stamp taken from bytes as a writer hands them on, in blocks cut
// anywhere, is the stamp of the file read back; other bytes of the same
// size are not.
TEST(QIVFileStampTest, HashesBytesHoweverTheyAreCut) {
  TemporaryDirectory dir;
  std::string content;
  for (int i = 0; i < 1000; ++i) content += static_cast<char>(i * 7 + 3);
  const std::string path = dir.Write("doc.json", content);
  for (std::size_t cut : {std::size_t{1}, std::size_t{3}, std::size_t{8}, std::size_t{333}}) {
    QIVFileStamp::Hash hash;
    for (std::size_t at = 0; at < content.size(); at += cut) hash.Add(std::string_view(content).substr(at, cut));
    const QIVFileStamp stamp = QIVFileStamp::Of(path, hash);
    EXPECT_TRUE(stamp.Matches(path)) << cut;
  }
  std::string changed = content;
  changed[500] ^= 1;
  QIVFileStamp::Hash before, after;
  before.Add(content);
  after.Add(changed);
  EXPECT_NE(before.Value(), after.Value());
}
