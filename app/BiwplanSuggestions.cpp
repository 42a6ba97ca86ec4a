#include "BiwplanSuggestions.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// Edits (insertions, deletions, substitutions) from a to b; more than
// `limit` answers limit + 1.
std::size_t Distance(const std::string& a, const std::string& b, std::size_t limit) {
  if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > limit) return limit + 1;
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    std::size_t best = row[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
      best = std::min(best, row[j]);
    }
    if (best > limit) return limit + 1;
  }
  return row[b.size()];
}

}  // namespace

std::vector<std::string> BiwplanSuggestions::Closest(const std::string& wanted, const std::vector<std::string>& names,
                                                     std::size_t most) {
  const std::string key = Lower(wanted);
  const std::size_t limit = std::max<std::size_t>(2, key.size() / 3);
  std::vector<std::pair<std::size_t, std::size_t>> scored;  // distance, position
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string name = Lower(names[i]);
    const std::size_t distance = !key.empty() && name.find(key) != std::string::npos ? 1 : Distance(key, name, limit);
    if (distance <= limit) scored.emplace_back(distance, i);
  }
  std::stable_sort(scored.begin(), scored.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> closest;
  for (const auto& [distance, position] : scored) {
    if (closest.size() == most) break;
    if (std::find(closest.begin(), closest.end(), names[position]) == closest.end())
      closest.push_back(names[position]);
  }
  return closest;
}

std::string BiwplanSuggestions::Hint(const std::string& wanted, const std::vector<std::string>& names) {
  std::string hint;
  for (const std::string& name : Closest(wanted, names)) hint += (hint.empty() ? "" : ", ") + ("\"" + name + "\"");
  return hint.empty() ? hint : "; did you mean " + hint + "?";
}
