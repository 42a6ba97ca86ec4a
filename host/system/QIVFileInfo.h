#pragma once

#include <cstdint>

#include "QIVStatus.h"
#include "QIVUnicodeString.h"

// What the host tells about a path: its kind as bits, and its size in bytes.
struct QIVFileInfo {
  enum Kind : unsigned { RegularFile = 0x1, Directory = 0x2 };

  unsigned kind = 0;
  std::int64_t size = 0;

  bool IsRegularFile() const { return kind & RegularFile; }
  bool IsDirectory() const { return kind & Directory; }
};

// Follows symbolic links. E_FAIL when the path does not exist or cannot be
// reached; `info` is then cleared.
HRESULT QIVGetFileInfo(const QIVUnicodeString& path, QIVFileInfo& info);
