#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

// A map from non-null pointers to positions, open-addressed in one array:
// the model keeps one beside every long list (a joint body's fasteners, a
// part's referrers), and a node allocated per entry, as std::unordered_map
// does, cost a hundred thousand allocations and their page faults to load a
// body. Linear probing, at most half full; erasing shifts the entries that
// follow back, so no tombstones build up.
template <class T>
class QIVPointerMap {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  bool IsEmpty() const { return _count == 0; }
  std::size_t Size() const { return _count; }

  std::size_t Find(T key) const {
    if (_count == 0) return npos;
    for (std::size_t at = Home(key);; at = Next(at)) {
      if (_entries[at].key == key) return _entries[at].value;
      if (!_entries[at].key) return npos;
    }
  }

  // Adds or replaces the entry of `key`.
  void Set(T key, std::size_t value) {
    if (2 * (_count + 1) > _entries.size()) Grow(2 * (_count + 1));
    std::size_t at = Home(key);
    for (; _entries[at].key; at = Next(at))
      if (_entries[at].key == key) {
        _entries[at].value = value;
        return;
      }
    _entries[at] = {key, value};
    ++_count;
  }

  void Erase(T key) {
    if (_count == 0) return;
    std::size_t hole = Home(key);
    for (; _entries[hole].key != key; hole = Next(hole))
      if (!_entries[hole].key) return;
    // Moves back each following entry whose home does not lie between the
    // hole and it, so every entry stays reachable from its home.
    for (std::size_t at = Next(hole); _entries[at].key; at = Next(at)) {
      const std::size_t home = Home(_entries[at].key);
      const bool stays = hole < at ? (home > hole && home <= at) : (home > hole || home <= at);
      if (stays) continue;
      _entries[hole] = _entries[at];
      hole = at;
    }
    _entries[hole] = {};
    --_count;
  }

  void Clear() {
    _entries.clear();
    _entries.shrink_to_fit();
    _count = 0;
  }

  // Room for `count` entries without growing.
  void Reserve(std::size_t count) {
    if (2 * count > _entries.size()) Grow(2 * count);
  }

 private:
  struct Entry {
    T key = nullptr;
    std::size_t value = 0;
  };

  std::size_t Home(T key) const {
    const auto bits = reinterpret_cast<std::uintptr_t>(key) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(bits >> _shift);
  }
  std::size_t Next(std::size_t at) const { return (at + 1) & (_entries.size() - 1); }

  void Grow(std::size_t atLeast) {
    const std::size_t size = std::bit_ceil(std::max<std::size_t>(atLeast, 16));
    std::vector<Entry> old(size);
    old.swap(_entries);
    _shift = 64 - std::countr_zero(size);
    _count = 0;
    for (const Entry& entry : old)
      if (entry.key) Set(entry.key, entry.value);
  }

  std::vector<Entry> _entries;
  std::size_t _count = 0;
  int _shift = 64;
};
