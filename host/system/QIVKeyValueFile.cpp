#include "QIVKeyValueFile.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <unordered_map>
#include <utility>

namespace {
// The letter written after a backslash, and the character it stands for.
constexpr std::pair<char, char> escapes[] = {{'n', '\n'}, {'t', '\t'}, {'"', '"'}, {'\\', '\\'}};

bool IsKeyCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
         c == '-';
}

// Reads one line; on failure `reason` says what is wrong and nothing is
// returned. Blank and comment lines give an entry with an empty key.
class LineReader {
 public:
  explicit LineReader(std::string_view line) : _rest(line) {}

  std::optional<QIVKeyValueFile::Entry> Read(std::string& reason) {
    QIVKeyValueFile::Entry entry;
    SkipBlanks();
    if (AtEndOrComment()) return entry;
    while (!_rest.empty() && IsKeyCharacter(_rest.front())) entry.key += Take();
    if (entry.key.empty()) return Fail(reason, "expected a key");
    SkipBlanks();
    if (!Accept('=')) return Fail(reason, "expected '=' after the key");
    SkipBlanks();
    if (!Accept('"')) return Fail(reason, "expected a text in double quotes after '='");
    while (true) {
      if (_rest.empty()) return Fail(reason, "text not closed by '\"'");
      const char c = Take();
      if (c == '"') break;
      if (c != '\\') {
        entry.value += c;
        continue;
      }
      const char letter = _rest.empty() ? '\0' : Take();
      const auto* escape = std::find_if(std::begin(escapes), std::end(escapes),
                                        [letter](const auto& e) { return e.first == letter; });
      if (escape == std::end(escapes)) return Fail(reason, std::string("unknown escape \\") + letter);
      entry.value += escape->second;
    }
    SkipBlanks();
    if (!Accept(';')) return Fail(reason, "expected ';' after the text");
    SkipBlanks();
    if (!AtEndOrComment()) return Fail(reason, "unexpected text after ';'");
    return entry;
  }

 private:
  static std::nullopt_t Fail(std::string& reason, std::string text) {
    reason = std::move(text);
    return std::nullopt;
  }
  char Take() {
    const char c = _rest.front();
    _rest.remove_prefix(1);
    return c;
  }
  bool Accept(char c) {
    if (_rest.empty() || _rest.front() != c) return false;
    _rest.remove_prefix(1);
    return true;
  }
  void SkipBlanks() {
    while (!_rest.empty() && (_rest.front() == ' ' || _rest.front() == '\t')) _rest.remove_prefix(1);
  }
  bool AtEndOrComment() const { return _rest.empty() || _rest.starts_with("//"); }

  std::string_view _rest;
};
}  // namespace

std::vector<QIVKeyValueFile::Entry> QIVKeyValueFile::Parse(std::string_view content,
                                                           std::string_view fileName,
                                                           std::ostream& warnings) {
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
  std::vector<Entry> entries;
  std::unordered_map<std::string, std::size_t> positions;
  int lineNumber = 0;
  while (!content.empty()) {
    const std::size_t feed = content.find('\n');
    std::string_view line = content.substr(0, feed);
    content.remove_prefix(feed == std::string_view::npos ? content.size() : feed + 1);
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);

    std::string reason;
    std::optional<Entry> entry = LineReader(line).Read(reason);
    if (!entry) {
      warnings << fileName << ':' << lineNumber << ": " << reason << "; line skipped\n";
      continue;
    }
    if (entry->key.empty()) continue;
    entry->line = lineNumber;
    auto [known, inserted] = positions.try_emplace(entry->key, entries.size());
    if (inserted) {
      entries.push_back(std::move(*entry));
      continue;
    }
    Entry& earlier = entries[known->second];
    warnings << fileName << ':' << lineNumber << ": key \"" << entry->key << "\" already given on line "
             << earlier.line << "; this line wins\n";
    earlier = std::move(*entry);
  }
  return entries;
}

std::string QIVKeyValueFile::FormatEntry(std::string_view key, std::string_view value) {
  std::string line(key);
  line += " = \"";
  for (char c : value) {
    const auto* escape =
        std::find_if(std::begin(escapes), std::end(escapes), [c](const auto& e) { return e.second == c; });
    if (escape == std::end(escapes)) {
      line += c;
    } else {
      line += '\\';
      line += escape->first;
    }
  }
  line += "\";\n";
  return line;
}
