#include <gtest/gtest.h>

#include <sstream>

#include "QIVKeyValueFile.h"

namespace {
std::vector<std::pair<std::string, std::string>> Pairs(const std::vector<QIVKeyValueFile::Entry>& entries) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const auto& entry : entries) pairs.emplace_back(entry.key, entry.value);
  return pairs;
}
using Pairs_t = std::vector<std::pair<std::string, std::string>>;
}  // namespace

TEST(QIVKeyValueFileTest, ReadsEntriesCommentsEscapesAndLineEndings) {
  const std::string content =
      "\xEF\xBB\xBF// Messages of the weld import\r\n"
      "\r\n"
      "TitleErr = \"WeldCreationError\";\r\n"
      "  ErrorMessage.Title=\"WARNING\" ;   // used by two commands\n"
      "MultiListBoxId.ColumnTitle0 = \"Caf\xC3\xA9 \\\"A\\\"\\tB\\nC \\\\ D // not a comment\";\n"
      "Empty-Key_2 = \"\";";
  std::ostringstream warnings;
  const auto entries = QIVKeyValueFile::Parse(content, "Weld.catalog", warnings);
  EXPECT_EQ(warnings.str(), "");
  EXPECT_EQ(Pairs(entries),
            (Pairs_t{{"TitleErr", "WeldCreationError"},
                     {"ErrorMessage.Title", "WARNING"},
                     {"MultiListBoxId.ColumnTitle0", "Caf\xC3\xA9 \"A\"\tB\nC \\ D // not a comment"},
                     {"Empty-Key_2", ""}}));
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].line, 3);
  EXPECT_EQ(entries[3].line, 6);
}

TEST(QIVKeyValueFileTest, MalformedLinesAreSkippedAndNamed) {
  const std::string content =
      "Good = \"1\";\n"
      "NoQuotes = 120;\n"
      "NoSemicolon = \"x\"\n"
      "Open = \"never closed;\n"
      "Escape = \"C:\\dir\";\n"
      "= \"no key\";\n"
      "Key With Blank = \"x\";\n"
      "Trailing = \"x\"; more\n"
      "Also = \"2\";\n";
  std::ostringstream warnings;
  const auto entries = QIVKeyValueFile::Parse(content, "/cat/Weld.catalog", warnings);
  EXPECT_EQ(Pairs(entries), (Pairs_t{{"Good", "1"}, {"Also", "2"}}));
  EXPECT_EQ(warnings.str(),
            "/cat/Weld.catalog:2: expected a text in double quotes after '='; line skipped\n"
            "/cat/Weld.catalog:3: expected ';' after the text; line skipped\n"
            "/cat/Weld.catalog:4: text not closed by '\"'; line skipped\n"
            "/cat/Weld.catalog:5: unknown escape \\d; line skipped\n"
            "/cat/Weld.catalog:6: expected a key; line skipped\n"
            "/cat/Weld.catalog:7: expected '=' after the key; line skipped\n"
            "/cat/Weld.catalog:8: unexpected text after ';'; line skipped\n");
}

