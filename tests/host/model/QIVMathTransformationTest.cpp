#include "QIVMathTransformation.h"

#include <gtest/gtest.h>

TEST(QIVMathTransformationTest, YawPitchRollRoundTripsAndRotatesAboutTheRightAxes) {
  const std::array<double, 6> placements[] = {
      {0, 0, 0, 0, 0, 0}, {10, -20, 30, 15, -25, 170}, {1.5, 2.5, 3.5, -179, 89, -45}, {0, 0, 0, 90, 0, 0}};
  for (const auto& p : placements) {
    const std::array<double, 6> back = QIVMathTransformation::FromYPR(p[0], p[1], p[2], p[3], p[4], p[5]).ToYPR();
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(back[i], p[i], 1e-9) << "value " << i;
  }
  auto apply = [](double roll, double pitch, double yaw) {
    return QIVMathTransformation::FromYPR(0, 0, 0, roll, pitch, yaw).Apply({1, 0, 0});
  };
  const std::array<double, 3> yawed = apply(0, 0, 90);
  EXPECT_NEAR(yawed[1], 1, 1e-12);
  const std::array<double, 3> pitched = apply(0, 90, 0);
  EXPECT_NEAR(pitched[2], -1, 1e-12);
  const std::array<double, 3> rolled = QIVMathTransformation::FromYPR(0, 0, 0, 90, 0, 0).Apply({0, 1, 0});
  EXPECT_NEAR(rolled[2], 1, 1e-12);
}

TEST(QIVMathTransformationTest, GimbalLockPutsTheWholeTurnIntoTheYaw) {
  const std::array<double, 6> back = QIVMathTransformation::FromYPR(0, 0, 0, 30, 90, 0).ToYPR();
  EXPECT_NEAR(back[3], 0, 1e-9);
  EXPECT_NEAR(back[4], 90, 1e-9);
  const QIVMathTransformation again = QIVMathTransformation::FromYPR(0, 0, 0, back[3], back[4], back[5]);
  EXPECT_TRUE(again.IsNear(QIVMathTransformation::FromYPR(0, 0, 0, 30, 90, 0), 1e-9));
}

TEST(QIVMathTransformationTest, CompositionAndInverseAgreeWithApplyingPoints) {
  const QIVMathTransformation father = QIVMathTransformation::FromYPR(100, 0, 50, 0, 0, 90);
  const QIVMathTransformation child = QIVMathTransformation::FromYPR(10, 5, 0, 30, 0, 0);
  const std::array<double, 3> point{1, 2, 3};
  const std::array<double, 3> twice = father.Apply(child.Apply(point));
  const std::array<double, 3> composed = (father * child).Apply(point);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(twice[i], composed[i], 1e-9);
  EXPECT_TRUE((father * father.Inverse()).IsNear(QIVMathTransformation()));
  EXPECT_TRUE(QIVMathTransformation() == QIVMathTransformation::FromYPR(0, 0, 0, 0, 0, 0));
}
