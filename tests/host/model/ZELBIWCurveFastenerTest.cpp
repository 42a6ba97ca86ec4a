#include "ZELBIWCurveFastener.h"

#include <gtest/gtest.h>

#include "ModelTestDocument.h"
#include "ZELIBIWCurveFastener.h"

TEST(ZELBIWCurveFastenerTest, PointsOfSixNumbersMakeAPolylineLength) {
  ModelTestDocument model;
  ZELIBIWCurveFastener_var curve(model.seam);
  ASSERT_TRUE(curve);
  EXPECT_EQ(curve->GetLength(), 0.0);
  QIVListVal<QIVRawColldouble> points{{0, 0, 0, 0, 0, 0}, {30, 40, 0, 0, 0, 0}, {30, 40, 12, 0, 0, 0}};
  EXPECT_EQ(curve->SetPoints(points), S_OK);
  EXPECT_DOUBLE_EQ(curve->GetLength(), 62.0);
  QIVListVal<QIVRawColldouble> read;
  curve->GetPoints(read);
  EXPECT_EQ(read, points);

  QIVListVal<QIVRawColldouble> bad{{0, 0, 0, 0, 0, 0}, {1, 2, 3}};
  EXPECT_EQ(curve->SetPoints(bad), E_INVALIDARG);
  EXPECT_DOUBLE_EQ(curve->GetLength(), 62.0);
  EXPECT_FALSE(ZELIBIWCurveFastener_var(model.w1));
}
