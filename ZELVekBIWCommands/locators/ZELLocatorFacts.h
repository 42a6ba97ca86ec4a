#pragma once

#include "QIVUnicodeString.h"
#include "QIVListVal.h"

// What the locator commands show of a datum, a datum target or a locator
// (locating or clamping point).
namespace ZELLocatorFacts {
// The name of a datum or target; empty for anything else.
QIVUnicodeString DatumName(const QIVBaseUnknown_var& object);
// The alias of a feature; empty when it has none.
QIVUnicodeString Alias(const QIVBaseUnknown_var& object);
// The description of a locating or clamping point ("4-way pin"); empty
// for anything else.
QIVUnicodeString LocatorText(const QIVBaseUnknown_var& object);
// The product that owns the object: a datum's or target's owner, the first
// part related to a feature; empty when none.
QIVBaseUnknown_var OwnerProduct(const QIVBaseUnknown_var& object);
// The instance name of the owner product; empty when none.
QIVUnicodeString OwnerProductName(const QIVBaseUnknown_var& object);
// The related parts of a feature, through its feature container.
QIVListValQIVBaseUnknown_var RelatedParts(const QIVBaseUnknown_var& feature);
}  // namespace ZELLocatorFacts
