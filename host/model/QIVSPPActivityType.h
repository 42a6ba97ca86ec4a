#pragma once

#include <string_view>
#include <vector>

// The activity types of the process model. Every type has one parent, and
// the type test passes subtypes:
//
//   Activity
//     DynamicActivity                 stands for another activity
//     LogicalActivity
//       Process                       the process root and plain processes
//       PhysicalActivity
//         AssemblyOperation
//         BIWActivity                 (abstract) every BIW kind below
//           BIWActivityStation, BIWActivityGrouping,
//           BIWActivityLoading, BIWActivityUnloading,
//           BIWActivityClamping, BIWActivityUnclamping,
//           BIWActivityWelding        (abstract) point fastening
//             BIWActivitySpotWelding, BIWActivityStudWelding,
//             BIWActivitySpotGluing, BIWActivityClinching
//           BIWActivityCurveFastening (abstract) curve fastening
//             BIWActivityArcWelding, BIWActivityAdhesiveApplication,
//             BIWActivitySealantApplication
//
// A type's text names new activities ("Station" gives "Station.1",
// "Station.2"...); abstract types have none and cannot be instantiated.
// Kind interfaces and attributes are inherited along the parents.
struct QIVSPPActivityType {
  const char* name;
  const char* parent;
  const char* text;
  // Interfaces the type adds to its parent's.
  std::vector<const char*> interfaces;
  // Numeric attributes the type adds to its parent's.
  std::vector<const char*> attributes;

  bool IsAbstract() const { return !text; }

  // The type of that name, or null.
  static const QIVSPPActivityType* Find(std::string_view name);
  // Whether `type` is `ancestor` or one of its subtypes; false when either
  // is unknown.
  static bool IsSubType(std::string_view type, std::string_view ancestor);
  // The type and its ancestors, the type first.
  static std::vector<const QIVSPPActivityType*> Chain(std::string_view type);
  static bool Offers(std::string_view type, std::string_view interfaceName);
  static std::vector<const char*> Attributes(std::string_view type);
  // Every type, parents before children.
  static const std::vector<QIVSPPActivityType>& All();
};

// Type names, as ZELBIWActivityServices hands them out.
namespace QIVSPPActivityTypes {
inline constexpr const char* Activity = "Activity";
inline constexpr const char* DynamicActivity = "DynamicActivity";
inline constexpr const char* LogicalActivity = "LogicalActivity";
inline constexpr const char* PhysicalActivity = "PhysicalActivity";
inline constexpr const char* Process = "Process";
inline constexpr const char* AssemblyOperation = "AssemblyOperation";
inline constexpr const char* BIWActivity = "BIWActivity";
inline constexpr const char* Station = "BIWActivityStation";
inline constexpr const char* Grouping = "BIWActivityGrouping";
inline constexpr const char* Loading = "BIWActivityLoading";
inline constexpr const char* Unloading = "BIWActivityUnloading";
inline constexpr const char* Clamping = "BIWActivityClamping";
inline constexpr const char* Unclamping = "BIWActivityUnclamping";
inline constexpr const char* Welding = "BIWActivityWelding";
inline constexpr const char* SpotWelding = "BIWActivitySpotWelding";
inline constexpr const char* StudWelding = "BIWActivityStudWelding";
inline constexpr const char* SpotGluing = "BIWActivitySpotGluing";
inline constexpr const char* Clinching = "BIWActivityClinching";
inline constexpr const char* CurveFastening = "BIWActivityCurveFastening";
inline constexpr const char* ArcWelding = "BIWActivityArcWelding";
inline constexpr const char* AdhesiveApplication = "BIWActivityAdhesiveApplication";
inline constexpr const char* SealantApplication = "BIWActivitySealantApplication";
}  // namespace QIVSPPActivityTypes
