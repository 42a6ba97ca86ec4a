#include "QIVLineReader.h"

#include <algorithm>
#include <cstring>

void QIVLineReader::Fill(std::size_t wanted) {
  if (_begin > 0) {
    std::memmove(_buffer.data(), _buffer.data() + _begin, _end - _begin);
    _end -= _begin;
    _begin = 0;
  }
  while (!_drained && _end < wanted) {
    std::size_t count = 0;
    if (FAILED(QIVFRead(_file, _buffer.data() + _end, _buffer.size() - _end, count)) || count == 0)
      _drained = true;
    _end += count;
  }
}

std::string_view QIVLineReader::ReadLine(std::size_t limit) {
  limit = std::clamp<std::size_t>(limit, 1, BlockSize);
  if (_end - _begin < limit && !_drained) Fill(limit);
  const char* start = _buffer.data() + _begin;
  const std::size_t available = _end - _begin;
  const std::size_t span = std::min(available, limit - 1);
  if (const void* feed = std::memchr(start, '\n', span)) {
    const std::size_t length = static_cast<const char*>(feed) - start;
    _begin += length + 1;
    // A text file written on another system ends its lines with CR LF.
    return {start, length > 0 && start[length - 1] == '\r' ? length - 1 : length};
  }
  if (available >= limit) {
    _begin += limit;
    return {start, limit - 1};
  }
  _begin = _end;
  _atEnd = true;
  return {start, available};
}
