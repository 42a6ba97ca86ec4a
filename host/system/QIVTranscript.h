#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The session transcript: one line per fact a user could observe (a
// command started or ended, a dialog shown or hidden, a notification box
// with its style, title and message, the contents of a widget on request).
// Journals and scenario tests read it; the application echoes it to
// standard output as it grows. Each session has its own.
class QIVTranscript {
 public:
  QIVTranscript() = default;
  QIVTranscript(const QIVTranscript&) = delete;
  QIVTranscript& operator=(const QIVTranscript&) = delete;

  // The transcript of the current session.
  static QIVTranscript& Current();

  void Record(const std::string& line);
  const std::vector<std::string>& Lines() const { return _lines; }
  // Lines recorded since `mark` (a value of Size() taken earlier).
  std::vector<std::string> LinesSince(std::size_t mark) const;
  std::size_t Size() const { return _lines.size(); }
  void Clear() { _lines.clear(); }

  // A text in double quotes, escaped for a transcript line.
  static std::string Quote(std::string_view text);

  // Every recorded line is also written to `echo` when set.
  void SetEcho(std::ostream* echo) { _echo = echo; }

 private:
  std::vector<std::string> _lines;
  std::ostream* _echo = nullptr;
};
