#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"
#include "QIVVariant.h"

// Reads repository records (ZELIPLMOpenObjectInfo) and the product data of
// the plant library through the attribute and link names the planners'
// queries use.
class ZELPLMOpenObjectServices {
 public:
  static HRESULT GetVariantAttribute(const QIVBaseUnknown_var& record, const QIVUnicodeString& name,
                                     QIVVariant& value);
  // The plant library's objects of one kind, read from the current editor's
  // repository: "template" (in library order; each linked to its stations
  // by "BIWActivityStation", a station to its resource by
  // "proc_uses_plant" and to its component base, which holds its fastening
  // rates, by "ergocompbase"), "resource", "plantype" (attributes "name",
  // "derivesfrom") or "ergoplantypeset" (the set, linked to its "master"
  // and its "ergoplantypechild" types). E_FAIL without a repository.
  static HRESULT GetLibraryObjects(const QIVUnicodeString& kind, QIVListValQIVBaseUnknown_var& objects);
  static HRESULT GetLinkedObjects(const QIVBaseUnknown_var& record, const QIVUnicodeString& link,
                                  QIVListValQIVBaseUnknown_var& objects);
  // Whether a plant type on the "derivesfrom" chain from `type` (itself
  // included) is named `ancestor`.
  static bool IsSubTypeOf(const QIVUnicodeString& type, const QIVUnicodeString& ancestor);
};
