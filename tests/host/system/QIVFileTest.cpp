#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "QIVFile.h"
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

TEST(QIVFileTest, ReadsEveryByteOfLongLinesCarriageReturnsAndHighBytes) {
  TemporaryDirectory dir;
  const std::string longLine(1500, 'W');
  const std::string content =
      "TOVASK Welds Spot Generation\r\n3.0\r\n" + longLine + "\r\n" + "Caf\xC3\xA9 \xFF" + "\nlast";
  dir.Write("welds.txt", content);

  QIVFile file;
  ASSERT_EQ(QIVFOpen(dir.File("welds.txt"), "r", file), S_OK);
  EXPECT_TRUE(file.IsOpen());
  EXPECT_FALSE(QIVFEof(file));
  EXPECT_EQ(QIVFGetChar(file), 'T');
  const std::string rest = ReadByBytes(file);
  EXPECT_EQ("T" + rest, content);  // CR kept, 0xFF not taken for EOF
  EXPECT_TRUE(QIVFEof(file));
  EXPECT_EQ(QIVFGetChar(file), EOF);
  EXPECT_EQ(QIVFClose(file), S_OK);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(QIVFClose(file), E_FAIL);
}

TEST(QIVFileTest, MissingFileAndUnknownModeFail) {
  TemporaryDirectory dir;
  QIVFile file;
  errno = 0;
  EXPECT_EQ(QIVFOpen(dir.File("absent.txt"), "r", file), E_FAIL);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(QIVFGetChar(file), EOF);
  EXPECT_TRUE(QIVFEof(file));
  std::size_t count = 7;
  char buffer[4];
  EXPECT_EQ(QIVFRead(file, buffer, sizeof buffer, count), E_FAIL);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(QIVFWrite(file, "x"), E_FAIL);

  dir.Write("present.txt", "x");
  for (const char* mode : {"r+", "x", "", "rw"})
    EXPECT_EQ(QIVFOpen(dir.File("present.txt"), mode, file), E_INVALIDARG) << mode;
  EXPECT_EQ(QIVFOpen(dir.File("present.txt"), nullptr, file), E_INVALIDARG);
  EXPECT_FALSE(file.IsOpen());
}

TEST(QIVFileTest, WritesAppendsAndReadsBlocks) {
  TemporaryDirectory dir;
  const std::string path = dir.File("out.xml");
  QIVFile file;
  ASSERT_EQ(QIVFOpen(path, "w", file), S_OK);
  EXPECT_EQ(QIVFWrite(file, QIVUnicodeString("<Locations>\n")), S_OK);
  ASSERT_EQ(QIVFClose(file), S_OK);
  ASSERT_EQ(QIVFOpen(path, "a", file), S_OK);
  EXPECT_EQ(QIVFWrite(file, "</Locations>\n", 13), S_OK);
  ASSERT_EQ(QIVFClose(file), S_OK);
  EXPECT_EQ(dir.Read("out.xml"), "<Locations>\n</Locations>\n");

  ASSERT_EQ(QIVFOpen(path, "rb", file), S_OK);
  EXPECT_EQ(QIVFWrite(file, "x", 1), E_FAIL);  // opened for reading only
  char block[10];
  std::size_t count = 0;
  std::string read;
  while (SUCCEEDED(QIVFRead(file, block, sizeof block, count)) && count > 0) read.append(block, count);
  EXPECT_EQ(read, "<Locations>\n</Locations>\n");
  EXPECT_TRUE(QIVFEof(file));

  // "wb" truncates what was there.
  ASSERT_EQ(QIVFOpen(path, "wb", file), S_OK);  // also closes the file opened before
  ASSERT_EQ(QIVFClose(file), S_OK);
  EXPECT_EQ(dir.Read("out.xml"), "");
}

TEST(QIVFileTest, MovingHandsTheOpenFileOn) {
  TemporaryDirectory dir;
  dir.Write("a.txt", "ab");
  QIVFile first;
  ASSERT_EQ(QIVFOpen(dir.File("a.txt"), "r", first), S_OK);
  EXPECT_EQ(QIVFGetChar(first), 'a');
  QIVFile second(std::move(first));
  EXPECT_FALSE(first.IsOpen());
  EXPECT_EQ(second.Path(), dir.File("a.txt"));
  EXPECT_EQ(QIVFGetChar(second), 'b');
  QIVFile third;
  third = std::move(second);
  EXPECT_EQ(QIVFGetChar(third), EOF);
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
