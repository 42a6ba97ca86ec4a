#include "QIVTranscript.h"

QIVTranscript& QIVTranscript::Instance() {
  static QIVTranscript transcript;
  return transcript;
}

void QIVTranscript::Record(const std::string& line) {
  _lines.push_back(line);
  if (_echo) *_echo << line << '\n';
}

std::vector<std::string> QIVTranscript::LinesSince(std::size_t mark) const {
  if (mark >= _lines.size()) return {};
  return std::vector<std::string>(_lines.begin() + static_cast<long>(mark), _lines.end());
}
