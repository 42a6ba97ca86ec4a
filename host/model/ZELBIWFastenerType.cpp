#include "ZELBIWFastenerType.h"

#include "QIVSPPActivityType.h"

namespace T = QIVSPPActivityTypes;

const std::vector<ZELBIWFastenerType>& ZELBIWFastenerType::All() {
  static const std::vector<ZELBIWFastenerType> types = {
      {"spot weld", "exo", T::SpotWelding},    {"stud weld", "exo", T::StudWelding},
      {"clinch", "exo", T::Clinching},         {"arc weld", "exo", T::ArcWelding},
      {"spot glue", "endo", T::SpotGluing},    {"adhesive", "endo", T::AdhesiveApplication},
      {"sealant", "endo", T::SealantApplication},
  };
  return types;
}

const ZELBIWFastenerType* ZELBIWFastenerType::Find(std::string_view typeText) {
  for (const ZELBIWFastenerType& type : All())
    if (typeText == type.text) return &type;
  return nullptr;
}

const char* ZELBIWFastenerType::CategoryOf(std::string_view typeText) {
  const ZELBIWFastenerType* type = Find(typeText);
  return type ? type->category : "exo";
}

const char* ZELBIWFastenerType::ActivityTypeFor(std::string_view typeText) {
  const ZELBIWFastenerType* type = Find(typeText);
  return type ? type->activityType : nullptr;
}

bool ZELBIWFastenerType::Fits(std::string_view typeText, std::string_view activityType) {
  const char* fitting = ActivityTypeFor(typeText);
  return fitting && QIVSPPActivityType::IsSubType(activityType, fitting);
}
