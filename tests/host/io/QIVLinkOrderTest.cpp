#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "QIVLinkOrder.h"

namespace {

struct Link {
  long long owner, ownerPosition, target, targetPosition;
};

std::vector<std::size_t> Sequence(const std::vector<Link>& links) {
  QIVLinkOrder order;
  for (const Link& link : links) order.Add(link.owner, link.ownerPosition, link.target, link.targetPosition);
  return order.Sequence();
}

// Whether making the links in `sequence` gives each owner, and each target
// when `targets` is set, its positions in increasing order.
bool KeepsOrders(const std::vector<Link>& links, const std::vector<std::size_t>& sequence, bool targets) {
  std::map<long long, long long> lastOfOwner, lastOfTarget;
  for (std::size_t index : sequence) {
    const Link& link = links[index];
    if (lastOfOwner.count(link.owner) && lastOfOwner[link.owner] > link.ownerPosition) return false;
    lastOfOwner[link.owner] = link.ownerPosition;
    if (!targets || link.targetPosition < 0) continue;
    if (lastOfTarget.count(link.target) && lastOfTarget[link.target] > link.targetPosition) return false;
    lastOfTarget[link.target] = link.targetPosition;
  }
  return true;
}

TEST(QIVLinkOrderTest, ReadsOwnerByOwnerWhereTheTargetsAllowIt) {
  // Owner 1 reached target 9 before owner 0 did.
  const std::vector<Link> links = {{0, 1, 5, 1}, {0, 2, 9, 2}, {1, 1, 9, 1}, {1, 2, 7, -1}};
  EXPECT_EQ(Sequence(links), (std::vector<std::size_t>{0, 2, 1, 3}));
  const std::vector<Link> free = {{2, 1, 1, -1}, {0, 2, 1, -1}, {0, 1, 2, -1}, {1, 1, 3, -1}};
  EXPECT_EQ(Sequence(free), (std::vector<std::size_t>{2, 1, 3, 0}));
  EXPECT_TRUE(Sequence({}).empty());
}

TEST(QIVLinkOrderTest, KeepsBothOrdersOfLinksMadeInAnySequence) {
  std::mt19937 random(11);
  std::vector<Link> links;
  std::map<long long, long long> ownerCount, targetCount;
  std::map<std::pair<long long, long long>, bool> made;
  while (links.size() < 3000) {
    const long long owner = random() % 60, target = random() % 60;
    if (made[{owner, target}]) continue;
    made[{owner, target}] = true;
    links.push_back({owner, ++ownerCount[owner], target, ++targetCount[target]});
  }
  std::shuffle(links.begin(), links.end(), random);
  const std::vector<std::size_t> sequence = Sequence(links);
  ASSERT_EQ(sequence.size(), links.size());
  EXPECT_TRUE(KeepsOrders(links, sequence, true));
}

TEST(QIVLinkOrderTest, OrdersThatContradictEachOtherKeepTheOwnersOrder) {
  // Owner 0 reached 7 then 8, owner 1 reached 8 then 7, but 7 heard of 1
  // first and 8 of 0 first: no sequence satisfies all four.
  const std::vector<Link> links = {{0, 1, 7, 2}, {0, 2, 8, 1}, {1, 1, 8, 2}, {1, 2, 7, 1}};
  const std::vector<std::size_t> sequence = Sequence(links);
  std::vector<std::size_t> sorted = sequence;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::size_t>{0, 1, 2, 3}));
  EXPECT_TRUE(KeepsOrders(links, sequence, false));
  EXPECT_FALSE(KeepsOrders(links, sequence, true));
}

}  // namespace
