#include "JournalReader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "JournalWords.h"

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

JournalReader::Result Failure(const QIVUnicodeString& sourceName, int line, QIVUnicodeString reason) {
  JournalReader::Result result;
  result.error.emplace(sourceName, line, std::move(reason));
  return result;
}

// The event of one line, nothing for a blank or comment line; `reason` is
// set when the line is faulty.
std::optional<JournalEvent> ParseLine(std::string_view line, QIVUnicodeString& reason) {
  if (line.size() > JournalReader::kMaxLineLength) {
    reason = QIVUnicodeString::Format("line longer than %zu bytes", JournalReader::kMaxLineLength);
    return std::nullopt;
  }
  QIVUnicodeString what;
  const int bad = JournalWords::FindBadByte(line, what);
  if (bad >= 0) {
    reason = "not a text line: " + what + QIVUnicodeString::Format(" at column %d", bad + 1);
    return std::nullopt;
  }
  std::vector<QIVUnicodeString> words;
  if (!JournalWords::Split(line, words, reason) || words.empty()) return std::nullopt;
  const std::optional<JournalVerb> verb = JournalEvent::VerbFromName(words.front().view());
  if (!verb) {
    reason = "unknown verb '" + words.front() + "'";
    return std::nullopt;
  }
  words.erase(words.begin());
  return JournalEvent::Make(*verb, std::move(words), reason);
}
}  // namespace

JournalReader::Result JournalReader::Parse(std::string_view text, const QIVUnicodeString& sourceName) {
  Result result;
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    QIVUnicodeString reason;
    std::optional<JournalEvent> event = ParseLine(line, reason);
    if (!reason.IsEmpty()) return Failure(sourceName, lineNumber, std::move(reason));
    if (!event) continue;
    event->SetPlace(sourceName, lineNumber);
    result.events.push_back(std::move(*event));
  }
  return result;
}

JournalReader::Result JournalReader::Read(const QIVUnicodeString& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.ConvertToChar(), "rb"),
                                                             &std::fclose);
  if (!file) return Failure(path, 0, QIVUnicodeString("cannot open: ") + std::strerror(errno));

  std::string text;
  char buffer[64 * 1024];
  while (true) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    text.append(buffer, got);
    if (text.size() > kMaxFileSize)
      return Failure(path, 0,
                     QIVUnicodeString::Format("larger than %zu MiB, too large for a journal",
                                              kMaxFileSize / (1024 * 1024)));
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get()))
    return Failure(path, 0, QIVUnicodeString("cannot read: ") + std::strerror(errno));
  return Parse(text, path);
}
