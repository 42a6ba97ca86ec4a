#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "QIVUnicodeString.h"

// The word layer of a journal line. Blanks (spaces and tabs) separate
// words; double quotes group blanks into a word and may start anywhere in
// it (process:"Process/Station 1" is one word). Inside quotes a backslash
// escapes a double quote or a backslash, and nothing else; outside quotes
// it is an ordinary character. An unquoted # that begins a word
// starts a comment that runs to the end of the line.
class JournalWords {
 public:
  // Splits one line, without its line feed, into words. Answers false with
  // the reason on an unclosed quote or an unknown escape.
  static bool Split(std::string_view line, std::vector<QIVUnicodeString>& words, QIVUnicodeString& reason);

  // The word spelled so that Split reads it back unchanged: quoted only
  // when it is empty, holds a blank or a double quote, or starts with #.
  static QIVUnicodeString Quote(std::string_view word);

  // The value of a word of decimal digits only, with at most `maxDigits`
  // once leading zeros are dropped; nothing for any other word.
  static std::optional<long long> ReadNumber(std::string_view word, std::size_t maxDigits);

  // Byte offset of the first byte that cannot stand in a journal line (a
  // control character other than tab, or a byte that breaks UTF-8), -1
  // when there is none; `what` then says what the byte is.
  static int FindBadByte(std::string_view text, QIVUnicodeString& what);
};
