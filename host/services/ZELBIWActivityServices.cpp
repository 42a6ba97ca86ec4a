#include "ZELBIWActivityServices.h"

#include "QIVISPPActivity.h"
#include "QIVSPPActivityType.h"
#include "ZELBIWFastenerType.h"

namespace T = QIVSPPActivityTypes;

QIVUnicodeString ZELBIWActivityServices::GetRootType() { return T::BIWActivity; }
QIVUnicodeString ZELBIWActivityServices::GetStationType() { return T::Station; }
QIVUnicodeString ZELBIWActivityServices::GetGroupingType() { return T::Grouping; }
QIVUnicodeString ZELBIWActivityServices::GetLoadingType() { return T::Loading; }
QIVUnicodeString ZELBIWActivityServices::GetUnloadingType() { return T::Unloading; }
QIVUnicodeString ZELBIWActivityServices::GetClampingType() { return T::Clamping; }
QIVUnicodeString ZELBIWActivityServices::GetUnclampingType() { return T::Unclamping; }
QIVUnicodeString ZELBIWActivityServices::GetAutoCycleTimeWeldingType() { return T::SpotWelding; }
QIVUnicodeString ZELBIWActivityServices::GetStudWeldingType() { return T::StudWelding; }
QIVUnicodeString ZELBIWActivityServices::GetSpotGluingType() { return T::SpotGluing; }
QIVUnicodeString ZELBIWActivityServices::GetClinchingType() { return T::Clinching; }
QIVUnicodeString ZELBIWActivityServices::GetArcWeldingType() { return T::ArcWelding; }
QIVUnicodeString ZELBIWActivityServices::GetAdhesiveApplicationType() { return T::AdhesiveApplication; }
QIVUnicodeString ZELBIWActivityServices::GetSealantApplicationType() { return T::SealantApplication; }
QIVUnicodeString ZELBIWActivityServices::GetWeldingType() { return T::Welding; }
QIVUnicodeString ZELBIWActivityServices::GetCurveFasteningType() { return T::CurveFastening; }

bool ZELBIWActivityServices::IsOfType(const QIVBaseUnknown_var& activity, const QIVUnicodeString& typeName) {
  QIVISPPActivity_var typed(activity);
  return typed && typed->IsSubTypeOf(typeName);
}

bool ZELBIWActivityServices::IsBIWActivity(const QIVBaseUnknown_var& activity) {
  return IsOfType(activity, GetRootType());
}

bool ZELBIWActivityServices::IsFasteningActivity(const QIVBaseUnknown_var& activity) {
  return IsOfType(activity, GetWeldingType()) || IsOfType(activity, GetCurveFasteningType());
}

QIVUnicodeString ZELBIWActivityServices::GetFasteningTypeForFastener(const QIVUnicodeString& fastenerType) {
  const char* type = ZELBIWFastenerType::ActivityTypeFor(fastenerType.view());
  return type ? type : "";
}
