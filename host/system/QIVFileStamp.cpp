#include "QIVFileStamp.h"

#include <sys/stat.h>

#include <cstring>

#include "QIVFile.h"

namespace {
constexpr std::uint64_t Multiplier = 0xFF51AFD7ED558CCDULL;
}  // namespace

void QIVFileStamp::Hash::Mix(std::uint64_t word) {
  _state = (_state ^ word) * Multiplier;
  _state ^= _state >> 29;
}

void QIVFileStamp::Hash::Add(std::string_view bytes) {
  const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t left = bytes.size();
  // Complete the word a previous block left open, then whole words.
  while (left > 0 && _length % 8 != 0) {
    _partial |= std::uint64_t{*at++} << (8 * (_length++ % 8));
    --left;
    if (_length % 8 == 0) {
      Mix(_partial);
      _partial = 0;
    }
  }
  for (; left >= 8; at += 8, left -= 8, _length += 8) {
    std::uint64_t word;
    std::memcpy(&word, at, 8);
    Mix(word);
  }
  for (; left > 0; --left) _partial |= std::uint64_t{*at++} << (8 * (_length++ % 8));
}

std::uint64_t QIVFileStamp::Hash::Value() const {
  Hash last = *this;
  last.Mix(_partial);
  last.Mix(_length);
  return last._state;
}

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
