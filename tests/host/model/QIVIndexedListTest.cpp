#include "QIVIndexedList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

TEST(QIVIndexedListTest, KeepsInsertionOrderThroughRemovalsSmallAndLarge) {
  for (int size : {6, 20, 1000}) {
    std::vector<int> storage(size);
    QIVIndexedList<int*> list;
    for (int& value : storage) EXPECT_TRUE(list.Add(&value));
    EXPECT_FALSE(list.Add(&storage[0]));
    EXPECT_FALSE(list.Add(nullptr));
    for (int i = 0; i < size; i += 2) EXPECT_TRUE(list.Remove(&storage[i]));
    EXPECT_FALSE(list.Remove(&storage[0]));
    EXPECT_EQ(list.Size(), size / 2);

    std::vector<int*> expected;
    for (int i = 1; i < size; i += 2) expected.push_back(&storage[i]);
    EXPECT_EQ(list.Values(), expected);
    EXPECT_EQ(list.First(), &storage[1]);
    EXPECT_TRUE(list.Contains(&storage[size - 1]));
    EXPECT_FALSE(list.Contains(&storage[size - 2]));

    // A value removed and added again goes to the end.
    EXPECT_TRUE(list.Remove(&storage[1]));
    EXPECT_TRUE(list.Add(&storage[1]));
    EXPECT_EQ(list.Values().back(), &storage[1]);
    // Past a compaction (the 20-entry list shrinks to a small one) every
    // value is still found where it now stands.
    EXPECT_TRUE(list.Remove(&storage[size - 1]));
    EXPECT_EQ(list.Size(), size / 2 - 1);
    EXPECT_EQ(list.First(), &storage[3]);
    EXPECT_EQ(list.Values().back(), &storage[1]);
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.First(), nullptr);
  }
}

// Removals in any order keep every remaining value found (the index shifts
// entries back over the holes it leaves).
TEST(QIVIndexedListTest, FindsEveryValueLeftAfterRandomRemovals) {
  std::vector<int> storage(5000);
  std::vector<int*> order;
  QIVIndexedList<int*> list;
  for (int& value : storage) {
    list.Add(&value);
    order.push_back(&value);
  }
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  for (std::size_t i = 0; i < order.size(); i += 3) list.Remove(order[i]);
  for (std::size_t i = 0; i < order.size(); ++i) ASSERT_EQ(list.Contains(order[i]), i % 3 != 0) << i;
}
