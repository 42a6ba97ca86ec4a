#include "ZELSimulationWorld.h"

#include <memory>
#include <string>

#include "QIVIProduct.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "QIVTranscript.h"
#include "ZELFastenerServices.h"
#include "ZELIMfgAssembly.h"

ZELSimulationWorld& ZELSimulationWorld::Instance() { return QIVSession::Current().Get<ZELSimulationWorld>(); }

const char* ZELSimulationWorld::StateName(State state) {
  constexpr const char* names[] = {"design", "assembled", "loaded", "absent"};
  return names[static_cast<int>(state)];
}

namespace {

using States = std::unordered_map<const QIVBaseUnknown*, ZELSimulationWorld::State>;

// Gives the product, or each part of an assembly and its sub-assemblies,
// and the products below them, the state, unless they have one already.
void Mark(const QIVBaseUnknown_var& object, ZELSimulationWorld::State state, States& states, int depth = 0) {
  constexpr int kMaxDepth = 256;
  if (!object || depth > kMaxDepth) return;
  QIVListValQIVBaseUnknown_var inner;
  if (ZELIMfgAssembly_var assembly = object) {
    assembly->GetParts(inner);
    QIVListValQIVBaseUnknown_var subAssemblies;
    assembly->GetSubAssemblies(subAssemblies);
    inner.Append(subAssemblies);
  } else if (QIVIProduct_var product = object) {
    if (!states.emplace(object.Identity(), state).second) return;
    product->GetChildren(inner);
  }
  for (const QIVBaseUnknown_var& each : inner) Mark(each, state, states, depth + 1);
}

void MarkItems(const QIVBaseUnknown_var& activity, ZELSimulationWorld::State state, States& states) {
  if (QIVISPPItemMgt_var items = activity)
    for (const QIVBaseUnknown_var& item : items->GetItems()) Mark(item, state, states);
}

// The activity's items and those of every activity below it.
void MarkTree(const QIVBaseUnknown_var& activity, ZELSimulationWorld::State state, States& states,
              int depth = 0) {
  constexpr int kMaxDepth = 256;
  if (depth > kMaxDepth) return;
  MarkItems(activity, state, states);
  QIVISPPChildManagement_var children = activity;
  if (!children) return;
  const std::unique_ptr<QIVListValQIVBaseUnknown_var> list = children->GetChildren();
  for (const QIVBaseUnknown_var& child : *list) MarkTree(child, state, states, depth + 1);
}

}  // namespace

void ZELSimulationWorld::Update(const QIVListValQIVBaseUnknown_var& before, const QIVBaseUnknown_var& station,
                                bool isolation) {
  if (!_blockMessages) {
    for (const QIVBaseUnknown_var& activity : before)
      if (QIVISPPActivity_var named = activity; named && !isolation)
        QIVTranscript::Current().Record("simulated " + QIVTranscript::Quote(named->GetName().str()));
    if (QIVISPPActivity_var named = station)
      QIVTranscript::Current().Record("simulated " + QIVTranscript::Quote(named->GetName().str()));
  }
  States states;
  if (!isolation)
    for (const QIVBaseUnknown_var& activity : before) MarkItems(activity, State::Assembled, states);
  if (station) MarkTree(station, State::Loaded, states);

  QIVListValQIVBaseUnknown_var products;
  ZELFastenerServices::GetAllProducts(products);
  _states.clear();
  _placed.clear();
  int counts[4] = {0, 0, 0, 0};
  for (const QIVBaseUnknown_var& product : products) {
    const auto found = states.find(product.Identity());
    const State state = found == states.end() ? State::Absent : found->second;
    _states[product.Identity()] = state;
    _placed.push_back(product);
    ++counts[static_cast<int>(state)];
  }
  _station = station;
  _running = true;
  ++_updates;
  QIVISPPActivity_var named(station);
  QIVTranscript::Current().Record(
      "world " + QIVTranscript::Quote(named ? named->GetName().str() : std::string()) + ": " +
      std::to_string(counts[1]) + " assembled, " + std::to_string(counts[2]) + " loaded, " +
      std::to_string(counts[3]) + " absent");
}

void ZELSimulationWorld::RestoreDesignLocations() {
  if (_states.empty() && !_station) return;
  _states.clear();
  _placed.clear();
  _station = nullptr;
  _running = false;
  QIVTranscript::Current().Record("world at design locations");
}

ZELSimulationWorld::State ZELSimulationWorld::GetState(const QIVBaseUnknown_var& product) const {
  const auto found = _states.find(product.Identity());
  return found == _states.end() ? State::Design : found->second;
}
