#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "JournalError.h"
#include "JournalEvent.h"
#include "QIVUnicodeString.h"

// Reads a journal: one event per line, blank lines and # comments skipped.
// Strict: the first fault stops the reading and no event is given back, so
// nothing of a faulty journal is ever played.
class JournalReader {
 public:
  // Beyond these a file is not a journal; refusing them keeps binary or
  // runaway input from exhausting memory.
  static constexpr std::size_t kMaxLineLength = 64 * 1024;
  static constexpr std::size_t kMaxFileSize = 64 * 1024 * 1024;

  struct Result {
    std::vector<JournalEvent> events;
    std::optional<JournalError> error;
    bool Succeeded() const { return !error; }
  };

  // The events of the file at `path`; errors are placed in `path` as given.
  static Result Read(const QIVUnicodeString& path);
  // The events of `text`; errors are placed in `sourceName`.
  static Result Parse(std::string_view text, const QIVUnicodeString& sourceName);
};
