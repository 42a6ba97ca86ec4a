#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Values by text, for a reader that looks a text up once a record: the
// texts' positions sit in one open-addressed array of words, each with a
// part of its text's hash, so that a lookup costs one probe of that array
// and one comparison of texts, where a node-based map walks a bucket's
// chain and divides for each node. Values stay where they are as others
// are added; none is ever removed.
template <class T>
class QIVTextMap {
 public:
  // The value of `text`, made with T's default constructor when it is new,
  // and whether it is.
  std::pair<T&, bool> TryEmplace(std::string_view text) {
    if (2 * (_texts.size() + 1) > _slots.size()) Grow();
    const std::uint64_t hash = std::hash<std::string_view>()(text);
    const std::uint64_t tag = hash & TagMask;
    for (std::size_t slot = hash & (_slots.size() - 1);; slot = (slot + 1) & (_slots.size() - 1)) {
      const std::uint64_t entry = _slots[slot];
      if (entry == 0) {
        _slots[slot] = tag | (_texts.size() + 1);
        _texts.emplace_back(text);
        return {_values.emplace_back(), true};
      }
      const std::size_t position = (entry & ~TagMask) - 1;
      if ((entry & TagMask) == tag && _texts[position] == text) return {_values[position], false};
    }
  }

  void Clear() {
    _slots.clear();
    _texts.clear();
    _values.clear();
  }

 private:
  // An entry: the hash's high half, and the text's position plus one (0
  // marks a free slot).
  static constexpr std::uint64_t TagMask = ~std::uint64_t{0} << 32;

  void Grow() {
    std::vector<std::uint64_t> slots(std::max<std::size_t>(64, 2 * _slots.size()), 0);
    for (std::size_t position = 0; position < _texts.size(); ++position) {
      const std::uint64_t hash = std::hash<std::string_view>()(_texts[position]);
      std::size_t slot = hash & (slots.size() - 1);
      while (slots[slot] != 0) slot = (slot + 1) & (slots.size() - 1);
      slots[slot] = (hash & TagMask) | (position + 1);
    }
    _slots = std::move(slots);
  }

  std::vector<std::uint64_t> _slots;
  std::vector<std::string> _texts;
  std::deque<T> _values;
};
