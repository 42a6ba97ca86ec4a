#pragma once

#include <string_view>

#include "QIVIAlias.h"
#include "QIVIPLMObject.h"
#include "QIVIPlantObject.h"
#include "QIVIProduct.h"
#include "QIVIProductReference.h"
#include "QIVISPPActivity.h"
#include "QIVISPPItemMgt.h"
#include "QIVITPSDatumSimple.h"
#include "QIVITPSDatumTarget.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWLocatingPoint.h"
#include "ZELIMfgAssembly.h"

// The vocabulary of the JSON process document, shared by its reader and its
// writer (docs/document-format.md describes the format).
namespace QIVDocumentFormat {

inline constexpr const char* Name = "biwplan-document";
inline constexpr int Version = 1;

// Deeper trees are refused rather than read by unbounded recursion.
inline constexpr int MaxDepth = 256;

// What a feature or datum entry is: its "kind" word and the model kind and
// sub-kind it is built as (QIVIDocument::CreateObject). The word is the
// model's sub-kind where there is one, else its kind.
enum class Family { TopGroup, Group, PointFastener, CurveFastener, Locator, Datum };

struct Kind {
  const char* word;
  const char* modelKind;
  const char* subKind;
  Family family;
};

inline constexpr Kind Kinds[] = {
    {"TopFastenerGroup", "FeatureGroup", "TopFastenerGroup", Family::TopGroup},
    {"TopLocatingPointGroup", "FeatureGroup", "TopLocatingPointGroup", Family::TopGroup},
    {"TopClampingPointGroup", "FeatureGroup", "TopClampingPointGroup", Family::TopGroup},
    {"Group", "FeatureGroup", "Group", Family::Group},
    {"PointFastener", "PointFastener", "", Family::PointFastener},
    {"CurveFastener", "CurveFastener", "", Family::CurveFastener},
    {"LocatingPoint", "Locator", "LocatingPoint", Family::Locator},
    {"ClampingPoint", "Locator", "ClampingPoint", Family::Locator},
    {"DatumSimple", "Datum", "DatumSimple", Family::Datum},
    {"DatumTarget", "Datum", "DatumTarget", Family::Datum},
};

inline const Kind* FindKind(std::string_view word) {
  for (const Kind& kind : Kinds)
    if (word == kind.word) return &kind;
  return nullptr;
}

// How an item came to its activity (QIVSPPItemMode).
struct ItemMode {
  const char* word;
  int mode;
};
inline constexpr ItemMode ItemModes[] = {{"assigned", QIVSPPItemAssigned}, {"flow", QIVSPPItemFromFlow}};

// A text member of an object, read and written through one of its
// interfaces. `always` members are written even when empty; the others only
// when they hold something. `refusal` says why the model may refuse a value.
template <class I>
struct TextField {
  const char* key;
  QIVUnicodeString (I::*get)() const;
  HRESULT (I::*set)(const QIVUnicodeString&);
  bool always;
  const char* refusal;
};

inline constexpr TextField<QIVIPLMObject> PLMFields[] = {
    {"plmId", &QIVIPLMObject::GetPLMID, &QIVIPLMObject::SetPLMID, false, nullptr}};
inline constexpr TextField<QIVIProductReference> ReferenceFields[] = {
    {"partNumber", &QIVIProductReference::GetPartNumber, &QIVIProductReference::SetPartNumber, true,
     "another reference has this part number"}};
inline constexpr TextField<QIVIProduct> ProductFields[] = {
    {"name", &QIVIProduct::GetPrdInstanceName, &QIVIProduct::SetPrdInstanceName, true, nullptr}};
inline constexpr TextField<QIVIPlantObject> PlantObjectFields[] = {
    {"plantType", &QIVIPlantObject::GetPlantType, &QIVIPlantObject::SetPlantType, false, nullptr}};
inline constexpr TextField<QIVITPSDatumSimple> DatumSimpleFields[] = {
    {"name", &QIVITPSDatumSimple::GetName, &QIVITPSDatumSimple::SetName, true, nullptr}};
inline constexpr TextField<QIVITPSDatumTarget> DatumTargetFields[] = {
    {"name", &QIVITPSDatumTarget::GetName, &QIVITPSDatumTarget::SetName, true, nullptr}};
inline constexpr TextField<QIVIAlias> AliasFields[] = {
    {"name", &QIVIAlias::GetAlias, &QIVIAlias::SetAlias, false, nullptr}};
inline constexpr TextField<ZELIBIWFeature> FeatureFields[] = {
    {"graphic", &ZELIBIWFeature::GetGraphicRepresentation, &ZELIBIWFeature::SetGraphicRepresentation, false,
     nullptr},
    {"planType", &ZELIBIWFeature::GetPlanTypeName, &ZELIBIWFeature::SetPlanTypeName, false, nullptr}};
inline constexpr TextField<ZELIBIWFastener> FastenerFields[] = {
    {"type", &ZELIBIWFastener::GetType, &ZELIBIWFastener::SetType, true, nullptr},
    {"category", &ZELIBIWFastener::GetCategory, &ZELIBIWFastener::SetCategory, true,
     "the category is \"exo\" or \"endo\""},
    {"identifier", &ZELIBIWFastener::GetIdentifier, &ZELIBIWFastener::SetIdentifier, false, nullptr},
    {"version", &ZELIBIWFastener::GetFastenerVersion, &ZELIBIWFastener::SetFastenerVersion, false, nullptr}};
inline constexpr TextField<ZELIBIWLocatingPoint> LocatingPointFields[] = {
    {"description", &ZELIBIWLocatingPoint::GetDescription, &ZELIBIWLocatingPoint::SetDescription, false,
     nullptr}};
inline constexpr TextField<ZELIBIWClampingPoint> ClampingPointFields[] = {
    {"description", &ZELIBIWClampingPoint::GetDescription, &ZELIBIWClampingPoint::SetDescription, false,
     nullptr}};
inline constexpr TextField<ZELIMfgAssembly> AssemblyFields[] = {
    {"label", &ZELIMfgAssembly::GetLabel, &ZELIMfgAssembly::SetLabel, false, nullptr}};
inline constexpr TextField<QIVISPPActivity> ActivityFields[] = {
    {"name", &QIVISPPActivity::GetName, &QIVISPPActivity::SetName, true, nullptr}};

// Colours are written "#RRGGBB"; the default colour (-1) is left out.
template <class I>
struct ColorField {
  long (I::*get)() const;
  HRESULT (I::*set)(long);
};
inline constexpr ColorField<ZELIBIWFastener> FastenerColor{&ZELIBIWFastener::GetColor,
                                                           &ZELIBIWFastener::SetColor};
inline constexpr ColorField<ZELIBIWLocatingPoint> LocatingPointColor{&ZELIBIWLocatingPoint::GetColor,
                                                                     &ZELIBIWLocatingPoint::SetColor};
inline constexpr ColorField<ZELIBIWClampingPoint> ClampingPointColor{&ZELIBIWClampingPoint::GetColor,
                                                                     &ZELIBIWClampingPoint::SetColor};

}  // namespace QIVDocumentFormat
