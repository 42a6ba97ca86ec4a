#include "QIVMathTransformation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;
constexpr double Tolerance = 1e-9;

double Tidy(double value) { return std::abs(value) < Tolerance ? 0.0 : value; }

double TidyAngle(double degrees) {
  degrees = Tidy(degrees);
  return degrees <= -180.0 + Tolerance ? 180.0 : degrees;
}
}  // namespace

QIVMathTransformation::QIVMathTransformation() : _m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0} {}

QIVMathTransformation::QIVMathTransformation(const std::array<double, 12>& rows) : _m(rows) {}

QIVMathTransformation QIVMathTransformation::FromYPR(double x, double y, double z, double roll, double pitch,
                                                     double yaw) {
  const double cr = std::cos(roll / DegreesPerRadian), sr = std::sin(roll / DegreesPerRadian);
  const double cp = std::cos(pitch / DegreesPerRadian), sp = std::sin(pitch / DegreesPerRadian);
  const double cy = std::cos(yaw / DegreesPerRadian), sy = std::sin(yaw / DegreesPerRadian);
  return QIVMathTransformation({cy * cp, cy * sp * sr - sy * cr, cy * sp * cr + sy * sr, x,  //
                                sy * cp, sy * sp * sr + cy * cr, sy * sp * cr - cy * sr, y,  //
                                -sp, cp * sr, cp * cr, z});
}

std::array<double, 6> QIVMathTransformation::ToYPR() const {
  const double r20 = std::clamp(Rotation(2, 0), -1.0, 1.0);
  const double pitch = std::asin(-r20);
  double roll = 0.0, yaw = 0.0;
  if (std::abs(r20) < 1.0 - 1e-12) {
    roll = std::atan2(Rotation(2, 1), Rotation(2, 2));
    yaw = std::atan2(Rotation(1, 0), Rotation(0, 0));
  } else {
    yaw = std::atan2(-Rotation(0, 1), Rotation(1, 1));
  }
  return {Tidy(Translation(0)),           Tidy(Translation(1)),           Tidy(Translation(2)),
          TidyAngle(roll * DegreesPerRadian), TidyAngle(pitch * DegreesPerRadian), TidyAngle(yaw * DegreesPerRadian)};
}

QIVMathTransformation QIVMathTransformation::operator*(const QIVMathTransformation& local) const {
  std::array<double, 12> rows{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) rows[i * 4 + j] += Rotation(i, k) * local.Rotation(k, j);
    rows[i * 4 + 3] = Translation(i);
    for (int k = 0; k < 3; ++k) rows[i * 4 + 3] += Rotation(i, k) * local.Translation(k);
  }
  return QIVMathTransformation(rows);
}

std::array<double, 3> QIVMathTransformation::Apply(const std::array<double, 3>& point) const {
  std::array<double, 3> result{};
  for (int i = 0; i < 3; ++i)
    result[i] = Rotation(i, 0) * point[0] + Rotation(i, 1) * point[1] + Rotation(i, 2) * point[2] + Translation(i);
  return result;
}

QIVMathTransformation QIVMathTransformation::Inverse() const {
  std::array<double, 12> rows{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) rows[i * 4 + j] = Rotation(j, i);
    for (int k = 0; k < 3; ++k) rows[i * 4 + 3] -= Rotation(k, i) * Translation(k);
  }
  return QIVMathTransformation(rows);
}

bool QIVMathTransformation::IsNear(const QIVMathTransformation& other, double tolerance) const {
  for (int i = 0; i < 12; ++i)
    if (std::abs(_m[i] - other._m[i]) > tolerance) return false;
  return true;
}
