#pragma once

#include <string_view>
#include <vector>

// The fastener type vocabulary: a fastener's type text (compared exactly,
// case and blanks count), the category the import gives it, and the one
// fastening activity type that may fasten it:
//
//   "spot weld"  exo   BIWActivitySpotWelding
//   "stud weld"  exo   BIWActivityStudWelding
//   "clinch"     exo   BIWActivityClinching
//   "arc weld"   exo   BIWActivityArcWelding
//   "spot glue"  endo  BIWActivitySpotGluing
//   "adhesive"   endo  BIWActivityAdhesiveApplication
//   "sealant"    endo  BIWActivitySealantApplication
//
// Any other text is "exo" and fits no activity.
struct ZELBIWFastenerType {
  const char* text;
  const char* category;
  const char* activityType;

  static const std::vector<ZELBIWFastenerType>& All();
  // The entry of that type text, or null.
  static const ZELBIWFastenerType* Find(std::string_view typeText);
  static const char* CategoryOf(std::string_view typeText);
  // The activity type that fastens the type, or null.
  static const char* ActivityTypeFor(std::string_view typeText);
  // Whether an activity of `activityType` (or of a subtype of the fitting
  // type) may fasten a fastener of `typeText`.
  static bool Fits(std::string_view typeText, std::string_view activityType);
};
