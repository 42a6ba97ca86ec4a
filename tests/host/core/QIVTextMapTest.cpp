#include "QIVTextMap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Texts that share their beginnings and ends, through several growths: each
// finds its own value, and values keep their place as others are added.
TEST(QIVTextMapTest, FindsEachTextsOwnValueThroughGrowth) {
  QIVTextMap<int> map;
  std::vector<int*> places;
  for (int i = 0; i < 5000; ++i) {
    auto [value, isNew] = map.TryEmplace("Body.1\\Part." + std::to_string(i) + "\n");
    ASSERT_TRUE(isNew) << i;
    value = i;
    places.push_back(&value);
  }
  for (int i = 0; i < 5000; ++i) {
    auto [value, isNew] = map.TryEmplace("Body.1\\Part." + std::to_string(i) + "\n");
    EXPECT_FALSE(isNew) << i;
    EXPECT_EQ(value, i);
    EXPECT_EQ(&value, places[i]);
  }
  EXPECT_TRUE(map.TryEmplace("").second);
  EXPECT_FALSE(map.TryEmplace(std::string_view("", 0)).second);
  map.Clear();
  EXPECT_TRUE(map.TryEmplace("Body.1\\Part.7\n").second);
}
