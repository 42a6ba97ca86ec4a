#include "ZELVekBIWXMLGraphicFormat.h"

#include <string>
#include <utility>

#include "QIVDictionary.h"

namespace {

constexpr const char* kMissing = "-1";

int loadCounter = 0;

QIVUnicodeString OrMissing(const QIVUnicodeString& text) {
  return text.IsEmpty() ? QIVUnicodeString(kMissing) : text;
}

// A colour is 0xRRGGBB written in decimal; "-1" leaves the colour as it is.
bool IsColor(const QIVUnicodeString& text) {
  const std::string& raw = text.str();
  const std::size_t first = raw.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return true;
  const std::string number = raw.substr(first, raw.find_last_not_of(" \t\r\n") - first + 1);
  if (number == kMissing) return true;
  if (number.empty() || number.size() > 8 || number.find_first_not_of("0123456789") != std::string::npos)
    return false;
  return std::stol(number) <= 0xFFFFFF;
}

}  // namespace

void ZELVekBIWXMLGraphicFormat::Register() {
  if (loadCounter++ != 0) return;
  QIVFillDictionary(kLateType, QIVISAXDocumentHandler::ClassName(),
                    &CreateTIEQIVISAXDocumentHandlerZELVekBIWXMLGraphicFormat);
  QIVFillDictionary(kLateType, QIVISAXErrorHandler::ClassName(),
                    &CreateTIEQIVISAXErrorHandlerZELVekBIWXMLGraphicFormat);
}

HRESULT ZELVekBIWXMLGraphicFormat::StartElement(const QIVUnicodeString& name,
                                                const QIVISAXAttributeList* attributes) {
  if (!attributes) return E_FAIL;
  // Each attribute a feature needs is named when it is missing.
  auto take = [&](const char* attribute, const QIVUnicodeString& element) {
    const QIVUnicodeString value = attributes->GetValue(attribute);
    if (value.IsEmpty()) ErrorHere("\"" + element + "\" without its \"" + attribute + "\" attribute");
    _values.Append(OrMissing(value));
    _names.Append(attribute);
  };
  if (name == "BIWFeatureType") {
    _inFeatureType = true;
    take("BIWFeature", name);
  } else if (_inFeatureType && name == "AttributeDetails") {
    _inAttributeDetails = true;
    take("attribute", name);
    take("value", name);
  } else if (_inAttributeDetails) {
    if (name == "color")
      _inColor = true;
    else if (name == "CGRName")
      _inGraphic = true;
  }
  return S_OK;
}

HRESULT ZELVekBIWXMLGraphicFormat::Characters(const QIVUnicodeString& text) {
  if (_inGraphic) {
    _values.Append(OrMissing(text));
    _names.Append("CGRName");
  } else if (_inColor) {
    if (!IsColor(text))
      ErrorHere("bad colour \"" + text + "\": a colour is a number from 0 to 16777215 (0xRRGGBB)");
    _values.Append(OrMissing(text));
    _names.Append("color");
  }
  return S_OK;
}

HRESULT ZELVekBIWXMLGraphicFormat::EndElement(const QIVUnicodeString& name) {
  if (!_inFeatureType) return S_OK;
  if (_inAttributeDetails) {
    if (name == "CGRName") {
      _inGraphic = false;
    } else if (name == "color") {
      _inColor = false;
    } else if (name == "AttributeDetails") {
      _inAttributeDetails = false;
      if (_names.Size() == _values.Size()) UpdateAppearance(_names, _values);
      // Back to the "BIWFeature" pair of the enclosing element.
      while (_names.Size() > 1) _names.RemovePosition(_names.Size());
      while (_values.Size() > 1) _values.RemovePosition(_values.Size());
    }
  }
  if (name == "BIWFeatureType") {
    _inFeatureType = false;
    _names.RemoveAll();
    _values.RemoveAll();
  }
  return S_OK;
}

void ZELVekBIWXMLGraphicFormat::UpdateAppearance(const QIVListValQIVUnicodeString& names,
                                                 const QIVListValQIVUnicodeString& values) {
  auto valueOf = [&](const char* name, bool& found) {
    const int position = names.Locate(name);
    found = position != 0 && position <= values.Size();
    return found ? values[position] : QIVUnicodeString(kMissing);
  };
  bool hasKind = false, hasAttribute = false, found = false;
  ZELVekBIWAppearanceEntry entry;
  entry.kind = valueOf("BIWFeature", hasKind);
  entry.attribute = valueOf("attribute", hasAttribute);
  entry.value = valueOf("value", found);
  entry.color = valueOf("color", found);
  entry.graphic = valueOf("CGRName", found);
  _entries.push_back(entry);
  if (!hasKind || !hasAttribute) return;
  if (entry.kind == "point fastener")
    _pointFastenerAttributes.Append(entry.attribute);
  else if (entry.kind == "locating feature")
    _locatingFeatureAttributes.Append(entry.attribute);
  else if (entry.kind == "clamping point")
    _clampingPointAttributes.Append(entry.attribute);
}

void ZELVekBIWXMLGraphicFormat::GetAllAttributesFromXML(
    QIVListValQIVUnicodeString& pointFastenerAttributes,
    QIVListValQIVUnicodeString& locatingFeatureAttributes,
    QIVListValQIVUnicodeString& clampingPointAttributes) const {
  pointFastenerAttributes = _pointFastenerAttributes;
  locatingFeatureAttributes = _locatingFeatureAttributes;
  clampingPointAttributes = _clampingPointAttributes;
}

void ZELVekBIWXMLGraphicFormat::GetAllAppearanceEntity(std::vector<ZELVekBIWAppearanceEntry>& entries) {
  entries = std::exchange(_entries, {});
}

QIVBaseUnknown* CreateTIEQIVISAXDocumentHandlerZELVekBIWXMLGraphicFormat(QIVBaseUnknown* handler) {
  return TIEQIVISAXDocumentHandlerZELVekBIWXMLGraphicFormat::Create(handler);
}

QIVBaseUnknown* CreateTIEQIVISAXErrorHandlerZELVekBIWXMLGraphicFormat(QIVBaseUnknown* handler) {
  return TIEQIVISAXErrorHandlerZELVekBIWXMLGraphicFormat::Create(handler);
}
