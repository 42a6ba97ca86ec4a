#include "ZELPLMOpenObjectInfo.h"

ZELPLMOpenObjectInfo::ZELPLMOpenObjectInfo(std::string identifier, std::string kind, QIVAttributes attributes)
    : _identifier(std::move(identifier)), _kind(std::move(kind)), _attributes(std::move(attributes)) {}

HRESULT ZELPLMOpenObjectInfo::GetVariantAttribute(const QIVUnicodeString& name, QIVVariant& value) const {
  auto found = _attributes.find(name.str());
  if (found == _attributes.end()) {
    value = QIVVariant();
    return E_FAIL;
  }
  value = found->second;
  return S_OK;
}

HRESULT ZELPLMOpenObjectInfo::GetLinkedObjects(const QIVUnicodeString& link,
                                               QIVListValQIVBaseUnknown_var& objects) const {
  objects.RemoveAll();
  if (auto found = _links.find(link.str()); found != _links.end()) objects = found->second;
  return S_OK;
}

HRESULT ZELPLMOpenObjectInfo::GetSavedPosition(QIVRawColldouble& position) const {
  position.RemoveAll();
  if (_saved)
    for (double value : *_saved) position.Append(value);
  return S_OK;
}

void ZELPLMOpenObjectInfo::AddLink(const std::string& link, const QIVBaseUnknown_var& object) {
  _links[link].Append(object);
}
