#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "QIVFile.h"

// Reads the lines of an open file through one block buffer. A line is handed
// out as a view into the buffer, valid until the next read, so a line that is
// only skipped costs no copy and no allocation.
class QIVLineReader {
 public:
  explicit QIVLineReader(QIVFile& file) : _file(file), _buffer(BlockSize) {}

  // The next line without its line feed (nor the carriage return before
  // it), as reading it byte by byte up to a
  // line feed or `limit` bytes would give it: a line of `limit` bytes or more
  // is cut after `limit - 1` of them and the byte at the cut is dropped, the
  // rest coming as the next line. `limit` is from 1 to BlockSize.
  std::string_view ReadLine(std::size_t limit);
  // True once a read has met the end of the file (or a read error).
  bool AtEnd() const { return _atEnd; }

  static constexpr std::size_t BlockSize = 1 << 16;

 private:
  // Keeps the unread bytes and reads until at least `wanted` of them are
  // buffered or the file has no more.
  void Fill(std::size_t wanted);

  QIVFile& _file;
  std::vector<char> _buffer;
  std::size_t _begin = 0;
  std::size_t _end = 0;
  bool _drained = false;
  bool _atEnd = false;
};
