#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"
#include "QIVVariant.h"

// A record read from the plant's repository: a fastener or feature record,
// or an object of the plant library (a template, station, resource, plant
// type or the plant type set). Attributes answer as typed variants; links
// ("BIWActivityStation", "proc_uses_plant", "master", "ergoplantypechild")
// lead to other records.
class ZELIPLMOpenObjectInfo : public QIVInterface<ZELIPLMOpenObjectInfo> {
 public:
  static constexpr const char* InterfaceName = "ZELIPLMOpenObjectInfo";

  // The PLM identifier of a feature record; the name of a library object.
  virtual QIVUnicodeString GetIdentifier() const = 0;
  // "fastener", "locating feature", "clamping point", "template",
  // "BIWActivityStation", "resource", "plantype", "ergoplantypeset".
  virtual QIVUnicodeString GetKind() const = 0;
  // E_FAIL for an attribute the record does not have.
  virtual HRESULT GetVariantAttribute(const QIVUnicodeString& name, QIVVariant& value) const = 0;
  // The records linked under the name, in order; empty for an unknown name.
  virtual HRESULT GetLinkedObjects(const QIVUnicodeString& link, QIVListValQIVBaseUnknown_var& objects) const = 0;
  // A fastener's saved manufacturing position, six numbers; empty when it
  // has none.
  virtual HRESULT GetSavedPosition(QIVRawColldouble& position) const = 0;
};
using ZELIPLMOpenObjectInfo_var = QIVVar<ZELIPLMOpenObjectInfo>;
