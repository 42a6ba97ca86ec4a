#pragma once

#include <ostream>
#include <string>
#include <vector>

// The session transcript: one line per fact a user could observe (a
// command started or ended, a dialog shown or hidden, a notification box
// with its style, title and message, the contents of a widget on request).
// Journals and scenario tests read it; the application echoes it to
// standard output as it grows.
class QIVTranscript {
 public:
  static QIVTranscript& Instance();

  void Record(const std::string& line);
  const std::vector<std::string>& Lines() const { return _lines; }
  // Lines recorded since `mark` (a value of Size() taken earlier).
  std::vector<std::string> LinesSince(std::size_t mark) const;
  std::size_t Size() const { return _lines.size(); }
  void Clear() { _lines.clear(); }

  // Every recorded line is also written to `echo` when set.
  void SetEcho(std::ostream* echo) { _echo = echo; }

 private:
  QIVTranscript() = default;
  std::vector<std::string> _lines;
  std::ostream* _echo = nullptr;
};
