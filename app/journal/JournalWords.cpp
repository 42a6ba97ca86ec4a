#include "JournalWords.h"

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the UTF-8 sequence starting at `at`, 0 when it is malformed
// (overlong forms, surrogates and code points above U+10FFFF included).
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (!IsContinuation(byte(at + i))) return 0;
  return length;
}
}  // namespace

bool JournalWords::Split(std::string_view line, std::vector<QIVUnicodeString>& words,
                         QIVUnicodeString& reason) {
  words.clear();
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || line[i] == '#') return true;
    std::string word;
    bool quoted = false;
    std::size_t quoteColumn = 0;
    for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
      const char c = line[i];
      if (c == '"') {
        quoted = !quoted;
        quoteColumn = i + 1;
      } else if (quoted && c == '\\') {
        if (i + 1 == line.size()) break;
        const char escaped = line[++i];
        if (escaped != '"' && escaped != '\\') {
          reason = QIVUnicodeString::Format(
              "unknown escape '\\%c' at column %zu (inside quotes only \\\" and \\\\)", escaped, i);
          return false;
        }
        word += escaped;
      } else {
        word += c;
      }
    }
    if (quoted) {
      reason = QIVUnicodeString::Format("unclosed quote opened at column %zu", quoteColumn);
      return false;
    }
    words.emplace_back(std::move(word));
  }
}

QIVUnicodeString JournalWords::Quote(std::string_view word) {
  const bool plain =
      !word.empty() && word.front() != '#' && word.find_first_of(" \t\"") == std::string_view::npos;
  if (plain) return QIVUnicodeString(word);
  std::string quoted = "\"";
  for (const char c : word) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  return QIVUnicodeString(std::move(quoted));
}

std::optional<long long> JournalWords::ReadNumber(std::string_view word, std::size_t maxDigits) {
  if (word.empty() || word.find_first_not_of("0123456789") != word.npos) return std::nullopt;
  while (word.size() > 1 && word.front() == '0') word.remove_prefix(1);
  if (word.size() > maxDigits) return std::nullopt;
  long long value = 0;
  for (const char digit : word) value = value * 10 + (digit - '0');
  return value;
}

int JournalWords::FindBadByte(std::string_view text, QIVUnicodeString& what) {
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if ((c < 0x20 && c != '\t') || c == 0x7F) {
      what = QIVUnicodeString::Format("control character 0x%02X", c);
      return static_cast<int>(i);
    }
    const std::size_t length = SequenceLength(text, i);
    if (length == 0) {
      what = QIVUnicodeString::Format("byte 0x%02X that is not UTF-8", c);
      return static_cast<int>(i);
    }
    i += length;
  }
  return -1;
}
