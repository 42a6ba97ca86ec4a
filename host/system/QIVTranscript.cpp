#include "QIVTranscript.h"

#include "QIVSession.h"

QIVTranscript& QIVTranscript::Current() { return QIVSession::Current().GetTranscript(); }

void QIVTranscript::Record(const std::string& line) {
  _lines.push_back(line);
  if (_echo) *_echo << line << '\n';
}

std::vector<std::string> QIVTranscript::LinesSince(std::size_t mark) const {
  if (mark >= _lines.size()) return {};
  return std::vector<std::string>(_lines.begin() + static_cast<long>(mark), _lines.end());
}

std::string QIVTranscript::Quote(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    switch (c) {
      case '\\':
        quoted += "\\\\";
        break;
      case '"':
        quoted += "\\\"";
        break;
      case '\n':
        quoted += "\\n";
        break;
      default:
        quoted += c;
    }
  }
  return quoted + "\"";
}
