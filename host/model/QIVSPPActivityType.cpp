#include "QIVSPPActivityType.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace T = QIVSPPActivityTypes;

const std::vector<QIVSPPActivityType>& QIVSPPActivityType::All() {
  static const std::vector<QIVSPPActivityType> types = {
      {T::Activity, nullptr, "Activity", {}, {}},
      {T::DynamicActivity, T::Activity, "DynamicActivity", {"QIVISPPDynamicActivity"}, {}},
      {T::LogicalActivity, T::Activity, nullptr, {}, {}},
      {T::Process, T::LogicalActivity, "Process", {}, {}},
      {T::PhysicalActivity, T::LogicalActivity, nullptr, {}, {}},
      {T::AssemblyOperation, T::PhysicalActivity, "AssemblyOperation", {}, {}},
      {T::BIWActivity, T::PhysicalActivity, nullptr, {"ZELIBIWItemInfo", "ZELIBIWActivity"}, {}},
      {T::Station,
       T::BIWActivity,
       "Station",
       {"ZELIBIWActivityStation"},
       {"SpecifiedPointFasteners", "SpecifiedCurveFastenerLength", "EstimatedInvestmentCost", "ProductExitRate"}},
      {T::Grouping,
       T::BIWActivity,
       "Grouping",
       {"ZELIBIWActivityGrouping"},
       {"SpecifiedPointFasteners", "SpecifiedCurveFastenerLength", "GoalInvestmentCost", "ProductExitRate"}},
      {T::Loading, T::BIWActivity, "Loading", {"ZELIBIWActivityLoading"}, {}},
      {T::Unloading, T::BIWActivity, "Unloading", {"ZELIBIWActivityUnloading"}, {}},
      {T::Clamping, T::BIWActivity, "Clamping", {"ZELIBIWActivityClamping"}, {}},
      {T::Unclamping, T::BIWActivity, "Unclamping", {"ZELIBIWActivityUnclamping"}, {}},
      {T::Welding,
       T::BIWActivity,
       nullptr,
       {"ZELIBIWActivityWelding"},
       {"PointFasteningRate", "SpecifiedPointFasteners"}},
      {T::SpotWelding, T::Welding, "SpotWelding", {}, {}},
      {T::StudWelding, T::Welding, "StudWelding", {}, {}},
      {T::SpotGluing, T::Welding, "SpotGluing", {}, {}},
      {T::Clinching, T::Welding, "Clinching", {}, {}},
      {T::CurveFastening,
       T::BIWActivity,
       nullptr,
       {"ZELIBIWActivityCurveFastening"},
       {"FastenerProductionRate", "SpecifiedCurveFastenerLength"}},
      {T::ArcWelding, T::CurveFastening, "ArcWelding", {}, {}},
      {T::AdhesiveApplication, T::CurveFastening, "AdhesiveApplication", {}, {}},
      {T::SealantApplication, T::CurveFastening, "SealantApplication", {}, {}},
  };
  return types;
}

const QIVSPPActivityType* QIVSPPActivityType::Find(std::string_view name) {
  static const std::unordered_map<std::string_view, const QIVSPPActivityType*> byName = [] {
    std::unordered_map<std::string_view, const QIVSPPActivityType*> index;
    for (const QIVSPPActivityType& type : All()) index.emplace(type.name, &type);
    return index;
  }();
  auto found = byName.find(name);
  return found == byName.end() ? nullptr : found->second;
}

namespace {
// Whether `test` holds for the type or an ancestor, walked nearest first
// without building the chain.
template <class Test>
bool AnyInChain(std::string_view type, Test test) {
  for (const QIVSPPActivityType* step = QIVSPPActivityType::Find(type); step;
       step = step->parent ? QIVSPPActivityType::Find(step->parent) : nullptr)
    if (test(*step)) return true;
  return false;
}
}  // namespace

std::vector<const QIVSPPActivityType*> QIVSPPActivityType::Chain(std::string_view type) {
  std::vector<const QIVSPPActivityType*> chain;
  AnyInChain(type, [&](const QIVSPPActivityType& step) {
    chain.push_back(&step);
    return false;
  });
  return chain;
}

bool QIVSPPActivityType::IsSubType(std::string_view type, std::string_view ancestor) {
  return AnyInChain(type, [&](const QIVSPPActivityType& step) { return ancestor == step.name; });
}

bool QIVSPPActivityType::Offers(std::string_view type, std::string_view interfaceName) {
  return AnyInChain(type, [&](const QIVSPPActivityType& step) {
    return std::find(step.interfaces.begin(), step.interfaces.end(), interfaceName) != step.interfaces.end();
  });
}

std::vector<const char*> QIVSPPActivityType::Attributes(std::string_view type) {
  std::vector<const char*> attributes;
  const std::vector<const QIVSPPActivityType*> chain = Chain(type);
  for (auto step = chain.rbegin(); step != chain.rend(); ++step)
    for (const char* attribute : (*step)->attributes) attributes.push_back(attribute);
  return attributes;
}
