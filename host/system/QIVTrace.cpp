#include "QIVTrace.h"

#include <iostream>
#include <string_view>

#include "QIVEnvironment.h"
#include "QIVSession.h"

namespace {
int constructed = 0;

// Where a session's "STDERR" traces go.
struct TraceStream : QIVSessionPart {
  std::ostream* standardError = nullptr;
};

std::ostream*& StandardError() { return QIVSession::Current().Get<TraceStream>().standardError; }

bool ListsName(std::string_view list, std::string_view name) {
  while (true) {
    const std::size_t comma = list.find(',');
    std::string_view item = list.substr(0, comma);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    if (item == "all" || item == name) return true;
    if (comma == std::string_view::npos) return false;
    list.remove_prefix(comma + 1);
  }
}
}  // namespace

QIVTrace::QIVTrace(const char* name, const char* description, int mode, const char* destination, int size)
    : _name(name ? name : ""),
      _description(description ? description : ""),
      _destination(destination ? destination : "STDERR"),
      _mode(mode),
      _size(size) {
  ++constructed;
}

QIVTrace::~QIVTrace() = default;

bool QIVTrace::IsActive() const {
  const unsigned long generation = QIVEnvGeneration();
  if (!_decided || _decidedAt != generation) {
    const char* list = QIVGetEnv("BIWPLAN_TRACE");
    _active = list && ListsName(list, _name);
    _decidedAt = generation;
    _decided = true;
  }
  return _active;
}

std::ostream* QIVTrace::Output() {
  if (_destination == "STDERR") {
    std::ostream* stream = StandardError();
    return stream ? stream : &std::cerr;
  }
  if (_destination == "STDOUT") return &std::cout;
  if (!_file) _file = std::make_unique<std::ofstream>(_destination, std::ios::app);
  return *_file ? _file.get() : nullptr;
}

void QIVTrace::TraPutLN(const QIVUnicodeString& text) {
  if (!IsActive()) return;
  if (std::ostream* out = Output()) *out << text << '\n';
}

int QIVTrace::ConstructedCount() { return constructed; }

void QIVTrace::SetStandardErrorStream(std::ostream* stream) { StandardError() = stream; }
