#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The names closest to one that was not found, for a "did you mean" hint:
// those that hold it (any case) or are a few edits away from it, closest
// first, ties in the order given.
class BiwplanSuggestions {
 public:
  static constexpr std::size_t kMost = 5;

  static std::vector<std::string> Closest(const std::string& wanted, const std::vector<std::string>& names,
                                          std::size_t most = kMost);
  // "; did you mean "A", "B"?" or empty when no name is close.
  static std::string Hint(const std::string& wanted, const std::vector<std::string>& names);
};
