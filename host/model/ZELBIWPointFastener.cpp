#include "ZELBIWPointFastener.h"

namespace {
constexpr int PositionSize = 6;
}  // namespace

HRESULT ZELBIWPointFastener::GetDesignPosition(QIVRawColldouble& position) const {
  position.RemoveAll();
  for (int i = 0; i < PositionSize; ++i) position.Append(_values[i]);
  return S_OK;
}

HRESULT ZELBIWPointFastener::SetDesignPosition(const QIVRawColldouble& position) {
  if (position.Size() != PositionSize) return E_INVALIDARG;
  for (int i = 0; i < PositionSize; ++i) _values[i] = position[i + 1];
  return S_OK;
}

HRESULT ZELBIWPointFastener::GetDesignPlacement(QIVMathTransformation& placement) const {
  placement = QIVMathTransformation::FromYPR(_values[0], _values[1], _values[2], _values[3], _values[4], _values[5]);
  return S_OK;
}

HRESULT ZELBIWPointFastener::GetManufacturingPosition(QIVRawColldouble& position) const {
  position.RemoveAll();
  for (double value : ManufacturingPosition()) position.Append(value);
  return S_OK;
}

HRESULT ZELBIWPointFastener::SetManufacturingPosition(const QIVRawColldouble& position, bool notify) {
  if (position.Size() != 0 && position.Size() != PositionSize) return E_INVALIDARG;
  const std::vector<double> stored(position.begin(), position.end());
  const bool changed = stored != ManufacturingPosition();
  _manufacturingPosition.Set(stored);
  if (notify && changed) Dispatch({});
  return S_OK;
}

HRESULT ZELBIWPointFastener::GetValue(int index, double& value) const {
  if (index < 1 || index > SettingCount) return E_INVALIDARG;
  value = _values[index - 1];
  return S_OK;
}

HRESULT ZELBIWPointFastener::SetValue(int index, double value) {
  if (index < 1 || index > SettingCount) return E_INVALIDARG;
  _values[index - 1] = value;
  return S_OK;
}

HRESULT ZELBIWPointFastener::GetValues(QIVRawColldouble& values) const {
  values.RemoveAll();
  for (double value : _values) values.Append(value);
  return S_OK;
}

HRESULT ZELBIWPointFastener::SetValues(const QIVRawColldouble& values) {
  if (values.Size() != SettingCount) return E_INVALIDARG;
  for (int i = 0; i < SettingCount; ++i) _values[i] = values[i + 1];
  return S_OK;
}
