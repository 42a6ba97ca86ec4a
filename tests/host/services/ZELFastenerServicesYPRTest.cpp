#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "ZELFastenerServices.h"

namespace {
using Matrix = std::array<std::array<double, 3>, 3>;

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// Elementary turns written out, independent of the model's own formulas.
Matrix TurnAboutX(double degrees) {
  const double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}
Matrix TurnAboutY(double degrees) {
  const double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
}
Matrix TurnAboutZ(double degrees) {
  const double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}
Matrix operator*(const Matrix& a, const Matrix& b) {
  Matrix product{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) product[i][j] += a[i][k] * b[k][j];
  return product;
}
QIVMathTransformation Placement(const Matrix& r, double x = 0, double y = 0, double z = 0) {
  return QIVMathTransformation(
      {r[0][0], r[0][1], r[0][2], x, r[1][0], r[1][1], r[1][2], y, r[2][0], r[2][1], r[2][2], z});
}

std::array<double, 6> ToYPR(const QIVMathTransformation& placement) {
  QIVRawColldouble values{7, 7, 7};  // replaced, not appended to
  EXPECT_EQ(ZELFastenerServices::FromQIVMathToYPR(placement, values), S_OK);
  std::array<double, 6> result{};
  EXPECT_EQ(values.Size(), 6);
  for (int i = 1; i <= values.Size() && i <= 6; ++i) result[i - 1] = values[i];
  return result;
}

void ExpectYPR(const QIVMathTransformation& placement, std::array<double, 6> expected) {
  const auto actual = ToYPR(placement);
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << "value " << i;
}
}  // namespace

TEST(ZELFastenerServicesYPRTest, QuarterTurnsAboutEachAxisGoToTheirOwnAngle) {
  ExpectYPR(Placement(TurnAboutX(90)), {0, 0, 0, 90, 0, 0});
  ExpectYPR(Placement(TurnAboutY(-30)), {0, 0, 0, 0, -30, 0});
  ExpectYPR(Placement(TurnAboutZ(90)), {0, 0, 0, 0, 0, 90});
  ExpectYPR(Placement(TurnAboutZ(-135)), {0, 0, 0, 0, 0, -135});
  // The exact matrix of a quarter turn about Z, as a file or a reader gives it.
  ExpectYPR(Placement({{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}}, 12.5, -4, 0.25), {12.5, -4, 0.25, 0, 0, 90});
}

TEST(ZELFastenerServicesYPRTest, RollThenPitchThenYawAboutTheFixedAxes) {
  // Roll first, yaw last: the matrix is Rz * Ry * Rx.
  ExpectYPR(Placement(TurnAboutZ(120) * TurnAboutY(-45) * TurnAboutX(30), 100, 200, -300),
            {100, 200, -300, 30, -45, 120});
  ExpectYPR(Placement(TurnAboutZ(-10) * TurnAboutY(80) * TurnAboutX(-170)), {0, 0, 0, -170, 80, -10});
  for (double roll : {-179.0, -90.0, 0.0, 45.0, 179.0})
    for (double pitch : {-89.0, -30.0, 0.0, 60.0, 89.0})
      for (double yaw : {-150.0, 0.0, 91.0, 180.0})
        ExpectYPR(QIVMathTransformation::FromYPR(1, 2, 3, roll, pitch, yaw), {1, 2, 3, roll, pitch, yaw});
}

TEST(ZELFastenerServicesYPRTest, AtPitchNinetyTheWholeTurnGoesToYaw) {
  // Roll and yaw turn about the same axis there; only their combination
  // is seen, and it is given to yaw.
  ExpectYPR(Placement(TurnAboutZ(50) * TurnAboutY(90) * TurnAboutX(20)), {0, 0, 0, 0, 90, 30});
  ExpectYPR(Placement(TurnAboutZ(50) * TurnAboutY(-90) * TurnAboutX(20)), {0, 0, 0, 0, -90, 70});
  ExpectYPR(Placement({{{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}}}), {0, 0, 0, 0, 90, 0});
}

TEST(ZELFastenerServicesYPRTest, OnePlacementReadsOneWay) {
  // The identity built with negative zeros, and a half turn whose matrix
  // holds one: no -0 and no -180 come out.
  const auto identity = ToYPR(Placement({{{1, -0.0, 0}, {0, 1, -0.0}, {-0.0, 0, 1}}}, -0.0, 0, 0));
  for (double value : identity) {
    EXPECT_EQ(value, 0.0);
    EXPECT_FALSE(std::signbit(value));
  }
  ExpectYPR(Placement({{{1, 0, 0}, {0, -1, 0}, {0, -0.0, -1}}}), {0, 0, 0, 180, 0, 0});
  ExpectYPR(Placement({{{-1, 0, 0}, {-0.0, -1, 0}, {0, 0, 1}}}), {0, 0, 0, 0, 0, 180});
  const auto noisy = ToYPR(QIVMathTransformation::FromYPR(-1e-13, 0, 0, 0, 0, 0));
  EXPECT_FALSE(std::signbit(noisy[0]));
}
