#include <gtest/gtest.h>

#include "JournalWords.h"

namespace {
std::vector<std::string> Words(std::string_view line) {
  std::vector<QIVUnicodeString> words;
  QIVUnicodeString reason;
  EXPECT_TRUE(JournalWords::Split(line, words, reason)) << reason;
  std::vector<std::string> texts;
  for (const QIVUnicodeString& word : words) texts.push_back(word.str());
  return texts;
}

QIVUnicodeString SplitError(std::string_view line) {
  std::vector<QIVUnicodeString> words;
  QIVUnicodeString reason;
  EXPECT_FALSE(JournalWords::Split(line, words, reason)) << line;
  return reason;
}

using Texts = std::vector<std::string>;
}  // namespace

TEST(JournalWordsTest, BlanksSeparateAndQuotesGroup) {
  EXPECT_EQ(Words("  type\tEditorTextPathId   examples/body.txt "),
            (Texts{"type", "EditorTextPathId", "examples/body.txt"}));
  EXPECT_EQ(Words("type EditorActivityName \"Station  1\""),
            (Texts{"type", "EditorActivityName", "Station  1"}));
  EXPECT_EQ(Words("pick fastener:\"W0012, A\" id:4"), (Texts{"pick", "fastener:W0012, A", "id:4"}));
  EXPECT_EQ(Words("a\"b c\"d\"\"e"), (Texts{"ab cde"}));
  EXPECT_EQ(Words("type E \"\""), (Texts{"type", "E", ""}));
  EXPECT_TRUE(Words("").empty());
  EXPECT_TRUE(Words(" \t ").empty());
}

TEST(JournalWordsTest, EscapesOnlyInsideQuotesAndCommentsOnlyAtWordStart) {
  EXPECT_EQ(Words(R"(x "say \"hi\" \\ there")"), (Texts{"x", R"(say "hi" \ there)"}));
  EXPECT_EQ(Words(R"(file C:\temp\w.txt)"), (Texts{"file", R"(C:\temp\w.txt)"}));
  EXPECT_EQ(Words("press OK # closes the dialog"), (Texts{"press", "OK"}));
  EXPECT_EQ(Words("# whole line"), Texts{});
  EXPECT_EQ(Words("type E W#12 \"# kept\""), (Texts{"type", "E", "W#12", "# kept"}));
}

TEST(JournalWordsTest, RefusesUnclosedQuotesAndUnknownEscapesWithTheirColumn) {
  EXPECT_EQ(SplitError("type E \"abc"), "unclosed quote opened at column 8");
  EXPECT_EQ(SplitError("type E \"abc\\\""), "unclosed quote opened at column 8");
  EXPECT_EQ(SplitError("x \"a\\tb\""), "unknown escape '\\t' at column 5 (inside quotes only \\\" and \\\\)");
}

TEST(JournalWordsTest, ReadNumberTakesDigitsOnlyWithinTheirCount) {
  EXPECT_EQ(JournalWords::ReadNumber("0", 9), 0);
  EXPECT_EQ(JournalWords::ReadNumber("000", 9), 0);
  EXPECT_EQ(JournalWords::ReadNumber("0012", 2), 12);  // leading zeros do not count
  EXPECT_EQ(JournalWords::ReadNumber("999999999", 9), 999999999);
  EXPECT_EQ(JournalWords::ReadNumber("123456789012345678", 18), 123456789012345678LL);
  for (const char* word : {"", "-1", "+1", "1.5", "1e3", " 1", "0x10", "1234567890"})
    EXPECT_FALSE(JournalWords::ReadNumber(word, 9)) << word;
}

TEST(JournalWordsTest, FindBadByteAcceptsUtf8AndTabsOnly) {
  QIVUnicodeString what;
  EXPECT_EQ(JournalWords::FindBadByte("Fügeposition\tStation 1 — ok 𝄞", what), -1);
  EXPECT_EQ(JournalWords::FindBadByte(std::string_view("ab\0c", 4), what), 2);
  EXPECT_EQ(what, "control character 0x00");
  EXPECT_EQ(JournalWords::FindBadByte("a\rb", what), 1);
  EXPECT_EQ(JournalWords::FindBadByte("x\x7F", what), 1);
  EXPECT_EQ(JournalWords::FindBadByte("caf\xE9", what), 3);  // Latin-1
  EXPECT_EQ(what, "byte 0xE9 that is not UTF-8");
  EXPECT_EQ(JournalWords::FindBadByte("\xC0\xAF", what), 0);          // overlong
  EXPECT_EQ(JournalWords::FindBadByte("\xED\xA0\x80", what), 0);      // surrogate
  EXPECT_EQ(JournalWords::FindBadByte("ok\xF0\x9F\x98", what), 2);    // cut short
  EXPECT_EQ(JournalWords::FindBadByte("\xF4\x90\x80\x80", what), 0);  // above U+10FFFF
}
