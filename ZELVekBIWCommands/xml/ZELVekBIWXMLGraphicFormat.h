#pragma once

#include <vector>

#include "QIVListVal.h"
#include "QIVSAXDefaultHandler.h"
#include "TIEQIVISAXHandler.h"

// One appearance rule of a feature appearance file: the features of
// `kind` ("point fastener", "locating feature", "clamping point") whose
// `attribute` reads `value` are shown in `color` with the graphic
// representation named `graphic`. An item the file does not give is "-1".
struct ZELVekBIWAppearanceEntry {
  QIVUnicodeString kind;
  QIVUnicodeString attribute;
  QIVUnicodeString value;
  QIVUnicodeString color;
  QIVUnicodeString graphic;

  friend bool operator==(const ZELVekBIWAppearanceEntry&, const ZELVekBIWAppearanceEntry&) = default;
};

// Reads a feature appearance file as a SAX handler: one entry per
// "AttributeDetails" of a "BIWFeatureType", in file order, and per feature
// kind the attribute names the entries match on. The file:
//   <AnyRoot>
//     <BIWFeatureType BIWFeature="point fastener">
//       <AttributeDetails attribute="fasteningcontext" value="1">
//         <color>16711680</color> <CGRName>EndoWeld</CGRName>
//       </AttributeDetails>
//     </BIWFeatureType>
//   </AnyRoot>
// The parser reaches it through the ties below, registered at load for its
// late type "ZELVekBIWXMLGraphicFormat". Besides what the parser finds, a
// "BIWFeatureType" or "AttributeDetails" without the attributes it needs
// and a colour that is not a number from 0 to 0xFFFFFF are errors at their
// place; the reading goes on, so that one pass names every fault.
class ZELVekBIWXMLGraphicFormat : public QIVSAXDefaultHandler {
 public:
  static constexpr const char* kLateType = "ZELVekBIWXMLGraphicFormat";

  const char* GetImplClassName() const override { return kLateType; }

  // Registers the two ties in the host's dictionary; only the first call
  // does.
  static void Register();

  HRESULT StartElement(const QIVUnicodeString& name, const QIVISAXAttributeList* attributes) override;
  HRESULT EndElement(const QIVUnicodeString& name) override;
  HRESULT Characters(const QIVUnicodeString& text) override;

  // Appends the entry made of the pairs' values of "BIWFeature",
  // "attribute", "value", "color" and "CGRName" (the first pair of each
  // name; "-1" when there is none), and its attribute to the list of its
  // feature kind.
  void UpdateAppearance(const QIVListValQIVUnicodeString& names, const QIVListValQIVUnicodeString& values);

  // The attribute names of the entries of each kind, in file order,
  // repeats included.
  void GetAllAttributesFromXML(QIVListValQIVUnicodeString& pointFastenerAttributes,
                               QIVListValQIVUnicodeString& locatingFeatureAttributes,
                               QIVListValQIVUnicodeString& clampingPointAttributes) const;
  // Hands the entries over to the caller, leaving none here.
  void GetAllAppearanceEntity(std::vector<ZELVekBIWAppearanceEntry>& entries);

 private:
  bool _inFeatureType = false;
  bool _inAttributeDetails = false;
  bool _inColor = false;
  bool _inGraphic = false;
  // The (name, value) pairs of the element being read, always as many
  // names as values.
  QIVListValQIVUnicodeString _values;
  QIVListValQIVUnicodeString _names;
  QIVListValQIVUnicodeString _locatingFeatureAttributes;
  QIVListValQIVUnicodeString _pointFastenerAttributes;
  QIVListValQIVUnicodeString _clampingPointAttributes;
  std::vector<ZELVekBIWAppearanceEntry> _entries;
};

using TIEQIVISAXDocumentHandlerZELVekBIWXMLGraphicFormat =
    TIEQIVISAXDocumentHandler<ZELVekBIWXMLGraphicFormat>;
using TIEQIVISAXErrorHandlerZELVekBIWXMLGraphicFormat = TIEQIVISAXErrorHandler<ZELVekBIWXMLGraphicFormat>;

// The ties of a ZELVekBIWXMLGraphicFormat, as the dictionary makes them
// when the handler is asked for the parser's interfaces.
QIVBaseUnknown* CreateTIEQIVISAXDocumentHandlerZELVekBIWXMLGraphicFormat(QIVBaseUnknown* handler);
QIVBaseUnknown* CreateTIEQIVISAXErrorHandlerZELVekBIWXMLGraphicFormat(QIVBaseUnknown* handler);
