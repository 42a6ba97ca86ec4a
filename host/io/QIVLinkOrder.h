#pragma once

#include <cstddef>
#include <vector>

// One sequence for links that both ends keep in their own order: a flow
// link is the n-th next activity of its source and the m-th previous one of
// its target; an item is the n-th item of its activity and the m-th
// activity processing it. Making the links again in the sequence gives both
// ends their order back.
//
// Among the links free to come next, the one first in its owner's order and
// of the earliest owner comes first, so the sequence reads owner by owner
// wherever the targets allow it. Should the two orders contradict each other
// (a cycle), the owners' orders win.
class QIVLinkOrder {
 public:
  // A link between owner `owner` (ranked: earlier owners come first), at
  // `ownerPosition` in the owner's order, and target `target` (any number
  // naming it), at `targetPosition` in the target's order; a negative
  // target position puts no constraint on the target side.
  void Add(long long owner, long long ownerPosition, long long target, long long targetPosition);
  std::size_t Size() const { return _links.size(); }

  // Indexes of the links, in the order Add received them, put in sequence.
  std::vector<std::size_t> Sequence() const;

 private:
  struct Link {
    long long owner;
    long long ownerPosition;
    long long target;
    long long targetPosition;
  };
  std::vector<Link> _links;
};
