#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// A growing block of text written in place: a writer asks for room, writes
// into it and then counts what it wrote. The file writers put out a dozen
// small pieces a record, and std::string::append would check, and may move,
// the text on every one of them.
class QIVTextBuffer {
 public:
  // `firstRoom`: the room made at the first growth.
  explicit QIVTextBuffer(std::size_t firstRoom) : _firstRoom(firstRoom) {}

  // Room for `size` more bytes at the text's end, which the caller fills
  // and then counts with Add or EndAt.
  char* Room(std::size_t size) {
    if (_used + size > _text.size()) Grow(size);
    return _text.data() + _used;
  }
  void Add(std::size_t size) { _used += size; }
  // The text now ends at `end`, within the room given.
  void EndAt(const char* end) { _used = static_cast<std::size_t>(end - _text.data()); }
  void Put(std::string_view piece) {
    std::memcpy(Room(piece.size()), piece.data(), piece.size());
    _used += piece.size();
  }
  void Put(char c) {
    *Room(1) = c;
    ++_used;
  }

  std::size_t Size() const { return _used; }
  std::string_view Text() const { return {_text.data(), _used}; }
  // Takes the text back to its first `size` bytes: what a refused piece
  // had begun is dropped.
  void TruncateTo(std::size_t size) { _used = std::min(size, _used); }
  void Clear() { _used = 0; }
  // The text as a string of its own; the buffer starts empty again.
  std::string Take() {
    _text.resize(_used);
    _used = 0;
    return std::move(_text);
  }

 private:
  void Grow(std::size_t size) { _text.resize(std::max({2 * _text.size(), _used + size, _firstRoom})); }

  // The text is the first `_used` bytes; the rest is room.
  std::string _text;
  std::size_t _used = 0;
  std::size_t _firstRoom;
};
