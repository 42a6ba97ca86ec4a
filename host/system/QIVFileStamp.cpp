#include "QIVFileStamp.h"

#include <sys/stat.h>

#define XXH_INLINE_ALL
#include <xxhash.h>

#include "QIVFile.h"

// XXH3 hashes a 40 MB body in a few milliseconds (vector instructions
// over 64-byte stripes), where a word-at-a-time mix waits on each multiply.
struct QIVFileStamp::Hash::State {
  XXH3_state_t xxh;
};

QIVFileStamp::Hash::Hash() : _state(std::make_unique<State>()) { XXH3_64bits_reset(&_state->xxh); }
QIVFileStamp::Hash::~Hash() = default;
QIVFileStamp::Hash::Hash(Hash&&) noexcept = default;
QIVFileStamp::Hash& QIVFileStamp::Hash::operator=(Hash&&) noexcept = default;

void QIVFileStamp::Hash::Add(std::string_view bytes) {
  XXH3_64bits_update(&_state->xxh, bytes.data(), bytes.size());
}

std::uint64_t QIVFileStamp::Hash::Value() const { return XXH3_64bits_digest(&_state->xxh); }

QIVFileStamp QIVFileStamp::Of(const std::string& path, std::string_view content) {
  Hash hash;
  hash.Add(content);
  return Of(path, hash);
}

QIVFileStamp QIVFileStamp::Of(const std::string& path, const Hash& hash) {
  QIVFileStamp stamp;
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return stamp;
  stamp._exists = true;
  stamp._device = status.st_dev;
  stamp._inode = status.st_ino;
  stamp._size = status.st_size;
  stamp._modified = static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec;
  stamp._hash = hash.Value();
  return stamp;
}

QIVFileStamp QIVFileStamp::Read(const std::string& path) {
  QIVFile file;
  if (FAILED(QIVFOpen(path, "rb", file))) return QIVFileStamp();
  Hash hash;
  char block[65536];
  std::size_t count = 0;
  HRESULT read;
  while (SUCCEEDED(read = QIVFRead(file, block, sizeof block, count)) && count > 0)
    hash.Add(std::string_view(block, count));
  return SUCCEEDED(read) ? Of(path, hash) : QIVFileStamp();
}

bool QIVFileStamp::Matches(const std::string& path) const {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return !_exists;
  const long long modified =
      static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec;
  if (!_exists || status.st_dev != _device || status.st_ino != _inode || status.st_size != _size ||
      modified != _modified)
    return false;
  const QIVFileStamp now = Read(path);
  return now._exists && now._hash == _hash;
}
