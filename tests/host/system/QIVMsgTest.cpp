#include <gtest/gtest.h>

#include "QIVMsg.h"

TEST(QIVMsgTest, PutsParametersForPlaceholders) {
  const QIVUnicodeString params[] = {"W0012", "Station.1"};
  EXPECT_EQ(QIVMsg("Weld /p1 is already assigned to /p2 (/p1).").BuildMessage(params, 2),
            "Weld W0012 is already assigned to Station.1 (W0012).");
  EXPECT_EQ(QIVMsg("/p2/p1").BuildMessage(params, 2), "Station.1W0012");
  // Without parameters, or with too few, placeholders stay as written.
  EXPECT_EQ(QIVMsg("Weld /p1").BuildMessage(), "Weld /p1");
  EXPECT_EQ(QIVMsg("/p1 and /p3").BuildMessage(params, 2), "W0012 and /p3");
  EXPECT_EQ(QIVMsg("/p0 /p /px /p-1 a/pple").BuildMessage(params, 2), "/p0 /p /px /p-1 a/pple");
  EXPECT_EQ(QIVMsg("").BuildMessage(params, 2), "");
  EXPECT_TRUE(QIVMsg().IsEmpty());
}

TEST(QIVMsgTest, NumbersAreReadWholeAndParametersAreNotSearched) {
  QIVUnicodeString params[12];
  for (int i = 0; i < 12; ++i) params[i] = QIVUnicodeString().BuildFromNum(i + 1, "<%d>");
  EXPECT_EQ(QIVMsg("/p1 /p10 /p12 /p13 /p99999999999999999999").BuildMessage(params, 12),
            "<1> <10> <12> /p13 /p99999999999999999999");
  EXPECT_EQ(QIVMsg("/p12").BuildMessage(params, 1), "/p12");

  const QIVUnicodeString tricky[] = {"/p2", "x"};
  EXPECT_EQ(QIVMsg("/p1 /p2").BuildMessage(tricky, 2), "/p2 x");
}
