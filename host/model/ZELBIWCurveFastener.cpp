#include "ZELBIWCurveFastener.h"

#include <cmath>

HRESULT ZELBIWCurveFastener::GetPoints(QIVListVal<QIVRawColldouble>& points) const {
  points.RemoveAll();
  for (const auto& point : _points) {
    QIVRawColldouble values;
    for (double value : point) values.Append(value);
    points.Append(values);
  }
  return S_OK;
}

HRESULT ZELBIWCurveFastener::SetPoints(const QIVListVal<QIVRawColldouble>& points) {
  std::vector<std::array<double, 6>> read;
  for (const QIVRawColldouble& values : points) {
    if (values.Size() != 6) return E_INVALIDARG;
    std::array<double, 6> point{};
    for (int i = 0; i < 6; ++i) point[i] = values[i + 1];
    read.push_back(point);
  }
  _points = std::move(read);
  return S_OK;
}

double ZELBIWCurveFastener::GetLength() const {
  double length = 0.0;
  for (std::size_t i = 1; i < _points.size(); ++i)
    length += std::hypot(_points[i][0] - _points[i - 1][0], _points[i][1] - _points[i - 1][1],
                         _points[i][2] - _points[i - 1][2]);
  return length;
}
