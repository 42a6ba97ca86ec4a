#include "QIVListVal.h"

#include <gtest/gtest.h>

namespace {
class Thing : public QIVBaseUnknown {};
}  // namespace

TEST(QIVListValTest, CountsFromOneAndRefusesOutOfRange) {
  QIVListValQIVUnicodeString names{"a", "b"};
  names.Append("c");
  names.InsertAt(1, "first");
  names.InsertAt(9, "never");
  ASSERT_EQ(names.Size(), 4);
  EXPECT_EQ(names[1], "first");
  EXPECT_EQ(names[4], "c");
  EXPECT_EQ(names.Locate("b"), 3);
  EXPECT_EQ(names.Locate("zz"), 0);
  names.RemovePosition(0);
  names.RemovePosition(5);
  EXPECT_EQ(names.Size(), 4);
  EXPECT_TRUE(names.RemoveValue("first"));
  EXPECT_FALSE(names.RemoveValue("first"));
  EXPECT_EQ(names[1], "a");

  QIVRawCollint positions;
  positions.Append(3);
  positions.Append(1);
  positions.Swap(1, 2);
  EXPECT_EQ(positions[1], 1);
}

TEST(QIVListValTest, HandleListsLocateByIdentityAndHoldReferences) {
  const long before = QIVBaseUnknown::LiveObjectCount();
  {
    QIVBaseUnknown_var a = QIVMake<Thing>();
    QIVBaseUnknown_var b = QIVMake<Thing>();
    QIVListValQIVBaseUnknown_var list;
    list.Append(a);
    list.Append(b);
    EXPECT_EQ(a->RefCount(), 2u);
    EXPECT_EQ(list.Locate(b), 2);
    list.RemoveAll();
    EXPECT_EQ(a->RefCount(), 1u);
  }
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}

TEST(QIVListValTest, ReleaseSequenceReleasesEachEntryOnce) {
  const long before = QIVBaseUnknown::LiveObjectCount();
  _SEQUENCE_QIVBaseUnknown_ptr sequence{new Thing, nullptr, new Thing};
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before + 2);
  QIVReleaseSequence(sequence);
  EXPECT_TRUE(sequence.empty());
  EXPECT_EQ(QIVBaseUnknown::LiveObjectCount(), before);
}
