#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// The BIW activity kinds by their type names (QIVSPPActivityType) and the
// type tests on activities. The type test passes subtypes, so
// IsOfType(activity, GetWeldingType()) holds for each point fastening kind.
class ZELBIWActivityServices {
 public:
  // "BIWActivity": every BIW kind.
  static QIVUnicodeString GetRootType();
  static QIVUnicodeString GetStationType();
  static QIVUnicodeString GetGroupingType();
  static QIVUnicodeString GetLoadingType();
  static QIVUnicodeString GetUnloadingType();
  static QIVUnicodeString GetClampingType();
  static QIVUnicodeString GetUnclampingType();
  // Spot welding.
  static QIVUnicodeString GetAutoCycleTimeWeldingType();
  static QIVUnicodeString GetStudWeldingType();
  static QIVUnicodeString GetSpotGluingType();
  static QIVUnicodeString GetClinchingType();
  static QIVUnicodeString GetArcWeldingType();
  static QIVUnicodeString GetAdhesiveApplicationType();
  static QIVUnicodeString GetSealantApplicationType();
  // The group of point fastening kinds: spot welding, stud welding, spot
  // gluing, clinching.
  static QIVUnicodeString GetWeldingType();
  // The group of curve fastening kinds: arc welding, adhesive and sealant
  // application.
  static QIVUnicodeString GetCurveFasteningType();

  // False for an object that is not an activity.
  static bool IsOfType(const QIVBaseUnknown_var& activity, const QIVUnicodeString& typeName);
  static bool IsBIWActivity(const QIVBaseUnknown_var& activity);
  static bool IsFasteningActivity(const QIVBaseUnknown_var& activity);
  // The fastening kind that fastens a fastener type text; empty for a text
  // no kind fastens.
  static QIVUnicodeString GetFasteningTypeForFastener(const QIVUnicodeString& fastenerType);
};
