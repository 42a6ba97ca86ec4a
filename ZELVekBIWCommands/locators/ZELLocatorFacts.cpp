#include "ZELLocatorFacts.h"

#include "QIVIAlias.h"
#include "QIVIProduct.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"

namespace ZELLocatorFacts {

QIVUnicodeString DatumName(const QIVBaseUnknown_var& object) {
  if (QIVITPSDatumSimple_var datum = object) return datum->GetName();
  if (QIVITPSDatumTarget_var target = object) return target->GetName();
  return QIVUnicodeString();
}

QIVUnicodeString Alias(const QIVBaseUnknown_var& object) {
  QIVIAlias_var alias(object);
  return alias ? alias->GetAlias() : QIVUnicodeString();
}

QIVUnicodeString LocatorText(const QIVBaseUnknown_var& object) {
  if (ZELIBIWLocatingPoint_var locating = object) return locating->GetDescription();
  if (ZELIBIWClampingPoint_var clamping = object) return clamping->GetDescription();
  return QIVUnicodeString();
}

QIVListValQIVBaseUnknown_var RelatedParts(const QIVBaseUnknown_var& feature) {
  QIVListValQIVBaseUnknown_var parts;
  QIVBaseUnknown_var container;
  if (SUCCEEDED(ZELFastenerServices::GetFeatContainerFromFeature(feature, container)))
    if (ZELIBIWFeaturePartRelations_var relations = container) relations->GetRelatedParts(feature, parts);
  return parts;
}

QIVBaseUnknown_var OwnerProduct(const QIVBaseUnknown_var& object) {
  QIVBaseUnknown_var owner;
  if (QIVITPSDatumSimple_var datum = object) {
    datum->GetOwnerProduct(owner);
  } else if (QIVITPSDatumTarget_var target = object) {
    target->GetOwnerProduct(owner);
  } else if (object) {
    const QIVListValQIVBaseUnknown_var parts = RelatedParts(object);
    if (!parts.IsEmpty()) owner = parts[1];
  }
  return owner;
}

QIVUnicodeString OwnerProductName(const QIVBaseUnknown_var& object) {
  QIVIProduct_var product(OwnerProduct(object));
  return product ? product->GetPrdInstanceName() : QIVUnicodeString();
}

}  // namespace ZELLocatorFacts
