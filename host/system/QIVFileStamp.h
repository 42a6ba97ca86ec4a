#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// What tells one content of a file from another: the file (device and
// inode), its size, its modification time and a hash of its bytes. Taken
// when a file is read, it lets a later save tell whether the file on disk
// is still the one read, even when something rewrote it in place within
// the same clock tick.
class QIVFileStamp {
 public:
  // A hash of a file's bytes taken as they come, so that a writer stamps
  // what it wrote without reading it back: the same bytes give the same
  // hash however they are cut into blocks.
  class Hash {
   public:
    Hash();
    ~Hash();
    Hash(Hash&&) noexcept;
    Hash& operator=(Hash&&) noexcept;

    void Add(std::string_view bytes);
    std::uint64_t Value() const;

   private:
    struct State;
    std::unique_ptr<State> _state;
  };

  // The stamp of `path` whose bytes were just read as `content`; that of
  // a missing file when there is none.
  static QIVFileStamp Of(const std::string& path, std::string_view content);
  // The same for a file whose bytes went through `hash`.
  static QIVFileStamp Of(const std::string& path, const Hash& hash);
  // The stamp of the file as it now is, its bytes read again.
  static QIVFileStamp Read(const std::string& path);

  // True when the file at `path` is still the one stamped.
  bool Matches(const std::string& path) const;

 private:
  bool _exists = false;
  dev_t _device = 0;
  ino_t _inode = 0;
  off_t _size = 0;
  long long _modified = 0;
  std::uint64_t _hash = 0;
};
