#include "QIVLinkOrder.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <queue>
#include <tuple>

void QIVLinkOrder::Add(long long owner, long long ownerPosition, long long target, long long targetPosition) {
  _links.push_back({owner, ownerPosition, target, targetPosition});
}

std::vector<std::size_t> QIVLinkOrder::Sequence() const {
  const std::size_t count = _links.size();
  constexpr std::size_t None = static_cast<std::size_t>(-1);
  const auto ownerKey = [&](std::size_t i) { return std::tie(_links[i].owner, _links[i].ownerPosition); };
  const auto targetKey = [&](std::size_t i) { return std::tie(_links[i].target, _links[i].targetPosition); };

  // Each link waits at most for the link before it at its owner and the one
  // before it at its target.
  std::vector<std::size_t> ownerNext(count, None), targetNext(count, None);
  std::vector<bool> waitsOnOwner(count, false);
  std::vector<int> waiting(count, 0);
  std::vector<std::size_t> byOwner(count);
  std::iota(byOwner.begin(), byOwner.end(), 0);
  std::sort(byOwner.begin(), byOwner.end(),
            [&](std::size_t a, std::size_t b) { return ownerKey(a) < ownerKey(b); });
  for (std::size_t k = 1; k < count; ++k)
    if (_links[byOwner[k]].owner == _links[byOwner[k - 1]].owner) {
      ownerNext[byOwner[k - 1]] = byOwner[k];
      waitsOnOwner[byOwner[k]] = true;
      ++waiting[byOwner[k]];
    }
  std::vector<std::size_t> byTarget;
  for (std::size_t i = 0; i < count; ++i)
    if (_links[i].targetPosition >= 0) byTarget.push_back(i);
  std::sort(byTarget.begin(), byTarget.end(),
            [&](std::size_t a, std::size_t b) { return targetKey(a) < targetKey(b); });
  for (std::size_t k = 1; k < byTarget.size(); ++k)
    if (_links[byTarget[k]].target == _links[byTarget[k - 1]].target) {
      targetNext[byTarget[k - 1]] = byTarget[k];
      ++waiting[byTarget[k]];
    }

  std::vector<std::size_t> rank(count);
  for (std::size_t k = 0; k < count; ++k) rank[byOwner[k]] = k;
  using Entry = std::pair<std::size_t, std::size_t>;  // rank in owner order, link
  std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> ready;
  for (std::size_t i = 0; i < count; ++i)
    if (waiting[i] == 0) ready.push({rank[i], i});

  std::vector<std::size_t> sequence;
  sequence.reserve(count);
  std::vector<bool> placed(count, false);
  std::size_t firstUnplaced = 0;
  const auto release = [&](std::size_t next) {
    if (next != None && --waiting[next] == 0) ready.push({rank[next], next});
  };
  while (sequence.size() < count) {
    if (ready.empty()) {
      // A cycle: the first link in owner order whose owner-side predecessor
      // is placed goes next, whatever its target still waits for.
      while (placed[byOwner[firstUnplaced]]) ++firstUnplaced;
      std::size_t k = firstUnplaced;
      while (placed[byOwner[k]] || (waitsOnOwner[byOwner[k]] && !placed[byOwner[k - 1]])) ++k;
      const std::size_t forced = byOwner[k];
      waiting[forced] = 0;
      ready.push({rank[forced], forced});
    }
    const std::size_t link = ready.top().second;
    ready.pop();
    if (placed[link]) continue;
    placed[link] = true;
    sequence.push_back(link);
    release(ownerNext[link]);
    release(targetNext[link]);
  }
  return sequence;
}
