#include "ZELBIWLocator.h"

HRESULT ZELBIWLocator::GetPosition(QIVRawColldouble& position) const {
  position.RemoveAll();
  for (double value : _position) position.Append(value);
  return S_OK;
}

HRESULT ZELBIWLocator::SetPosition(const QIVRawColldouble& position) {
  if (position.Size() != static_cast<int>(_position.size())) return E_INVALIDARG;
  for (std::size_t i = 0; i < _position.size(); ++i) _position[i] = position[static_cast<int>(i) + 1];
  return S_OK;
}

HRESULT ZELBIWLocator::SetDescription(const QIVUnicodeString& description) {
  _description = description;
  return S_OK;
}

HRESULT ZELBIWLocator::SetColor(long rgb) { return StoreColor(rgb); }

bool ZELBIWLocator::Offers(std::string_view interfaceName) const {
  if (interfaceName == ZELIBIWLocatingPoint::InterfaceName) return !_clamping;
  if (interfaceName == ZELIBIWClampingPoint::InterfaceName) return _clamping;
  return ZELBIWFeature::Offers(interfaceName);
}
