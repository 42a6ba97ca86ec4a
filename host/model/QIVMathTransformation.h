#pragma once

#include <array>

// A placement in space: a 3x3 rotation and a translation, the 3x4 matrix
// [R | t] that maps local coordinates to those of the father (or the world).
//
// Angles (roll, pitch, yaw) are in degrees: roll about X, pitch about Y, yaw
// about Z, applied in that order, so R = Rz(yaw) * Ry(pitch) * Rx(roll).
class QIVMathTransformation {
 public:
  // The identity.
  QIVMathTransformation();
  // Row by row: r00 r01 r02 t0, r10 r11 r12 t1, r20 r21 r22 t2.
  explicit QIVMathTransformation(const std::array<double, 12>& rows);

  static QIVMathTransformation FromYPR(double x, double y, double z, double roll, double pitch, double yaw);
  // x, y, z, roll, pitch, yaw, each placement read one way only: angles in
  // (-180, 180], values within 1e-9 of zero as 0 (never -0). When pitch is
  // +-90 degrees the roll is taken as 0 and the whole turn about the
  // vertical goes to the yaw.
  std::array<double, 6> ToYPR() const;

  const std::array<double, 12>& Rows() const { return _m; }
  double Rotation(int row, int column) const { return _m[row * 4 + column]; }
  double Translation(int row) const { return _m[row * 4 + 3]; }

  // This placement followed by `local`: maps the local coordinates of a
  // child placed at `local` relative to this one.
  QIVMathTransformation operator*(const QIVMathTransformation& local) const;
  std::array<double, 3> Apply(const std::array<double, 3>& point) const;
  // The inverse placement (the rotation is taken as orthonormal).
  QIVMathTransformation Inverse() const;

  bool IsNear(const QIVMathTransformation& other, double tolerance = 1e-9) const;
  friend bool operator==(const QIVMathTransformation&, const QIVMathTransformation&) = default;

 private:
  std::array<double, 12> _m;
};
