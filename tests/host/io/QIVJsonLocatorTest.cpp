#include <gtest/gtest.h>

#include "QIVJsonLocator.h"

namespace {

const char* const Text = R"({
  "format": "biwplan-document",
  "odd \"key\" {[": "value with } and ] and \" inside",
  "a/b": {"~x": [10,
                 20]},
  "products": [
    {
      "id": 5,
      "children": [
        {"id": 6},
        {
          "id": 7
        }
      ]
    }
  ],
  "\u0041": true
})";

TEST(QIVJsonLocatorTest, FindsTheLineOfMembersAndElementsThroughNesting) {
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, ""), 1);
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, "/format"), 2);
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, "/products"), 6);
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, "/products/0"), 7);
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, "/products/0/children/0/id"), 10);
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, "/products/0/children/1"), 11);
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, "/products/0/children/1/id"), 12);
}

TEST(QIVJsonLocatorTest, ReadsEscapedKeysAndSkipsBracketsInsideTexts) {
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, "/a~1b/~0x/1"), 5);
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, "/a~1b/~0x/0"), 4);
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, "/odd \"key\" {["), 3);
  EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, "/A"), 17);
}

TEST(QIVJsonLocatorTest, PointersLeadingNowhereGiveZero) {
  for (const char* pointer :
       {"/missing", "/products/1", "/products/x", "/format/0", "products", "/products/0/id/z"})
    EXPECT_EQ(QIVJsonLocator::LineOfPointer(Text, pointer), 0) << pointer;
  EXPECT_EQ(QIVJsonLocator::LineOfPointer("{\"a\": [1, 2", "/a/5"), 0);
  EXPECT_EQ(QIVJsonLocator::LineOfPointer("{\"a\": \"\\u12", "/b"), 0);
}

TEST(QIVJsonLocatorTest, TurnsOffsetsIntoLinesAndColumns) {
  int line = 0, column = 0;
  QIVJsonLocator::LineAndColumn("ab\ncd\n", 4, line, column);
  EXPECT_EQ(std::pair(line, column), std::pair(2, 2));
  QIVJsonLocator::LineAndColumn("ab", 0, line, column);
  EXPECT_EQ(std::pair(line, column), std::pair(1, 1));
  QIVJsonLocator::LineAndColumn("ab\n", 99, line, column);
  EXPECT_EQ(std::pair(line, column), std::pair(2, 1));
}

}  // namespace
