#include "ZELVekBIWLineBalance.h"

#include <memory>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "QIVInit.h"
#include "ZELBIWActivityIntelligenceServices.h"
#include "ZELBIWCycleTime.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivityCurveFastening.h"
#include "ZELIBIWActivityWelding.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeatureContainer.h"
#include "ZELIMfgAssembly.h"
#include "assignment/ZELVekBIWAutoAssignWeldCmd.h"
#include "assignment/ZELVekBIWJointTable.h"

namespace {

using List = QIVListValQIVBaseUnknown_var;
using Identity = const QIVBaseUnknown*;

std::string NameOf(const QIVBaseUnknown_var& object) {
  if (QIVIAlias_var alias = object) return alias->GetAlias().str();
  if (QIVISPPActivity_var activity = object) return activity->GetName().str();
  return {};
}

bool IsFastening(const QIVBaseUnknown_var& activity) {
  return ZELIBIWActivityWelding_var(activity) || ZELIBIWActivityCurveFastening_var(activity);
}

double SecondsAt(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& fastener) {
  double seconds = 0.0;
  ZELBIWCycleTime::FastenerSeconds(activity, fastener, seconds);
  return seconds;
}

List ItemsOf(const QIVBaseUnknown_var& activity) {
  QIVISPPItemMgt_var items(activity);
  return items ? items->GetItems("Item") : List();
}

List FastenersOfDocument() {
  QIVBaseUnknown_var document;
  QIVBaseUnknown_var container;
  QIVInit_var roots;
  List fasteners;
  if (FAILED(ZELFastenerServices::GetCurrentDocument(document)) || !(roots = document) ||
      FAILED(roots->GetRootContainer("ZELFPPContainer", container)))
    return fasteners;
  if (ZELIBIWFeatureContainer_var features = container) features->GetFeatures(fasteners, ZELIBIWFastener::ClassName());
  return fasteners;
}

}  // namespace

ZELVekBIWLineBalance::ZELVekBIWLineBalance(const QIVBaseUnknown_var& line, Scope scope, const List& locked) {
  std::unique_ptr<List> lineActivities;
  ZELVekBIWAutoAssignWeldCmd::GetAllChildren(line, lineActivities);
  lineActivities->Append(line);

  // The parts that reach some activity of the line, assemblies opened.
  std::unordered_set<Identity> lineParts;
  for (const QIVBaseUnknown_var& activity : *lineActivities) {
    for (const QIVBaseUnknown_var& item : ItemsOf(activity)) {
      if (!ZELIMfgAssembly_var(item)) {
        lineParts.insert(item.Identity());
        continue;
      }
      List parts;
      ZELVekBIWJointTable::PartsOfAssembly(item, parts);
      for (const QIVBaseUnknown_var& part : parts) lineParts.insert(part.Identity());
    }
  }

  // The fastening activities, deepest first, each with its station (the
  // activity itself when it has none), stations in the order first met.
  std::unordered_map<Identity, int> activityIndex;
  std::unordered_map<Identity, int> stationIndex;
  List& stations = _stations;
  for (const QIVBaseUnknown_var& activity : *lineActivities) {
    if (!IsFastening(activity) || activityIndex.count(activity.Identity())) continue;
    QIVBaseUnknown_var station = ZELBIWCycleTime::StationOf(activity);
    if (!station) station = activity;
    const auto [found, added] = stationIndex.emplace(station.Identity(), static_cast<int>(stations.Size()));
    if (added) {
      stations.Append(station);
      _problem.stations.push_back({NameOf(station), 0.0});
    }
    activityIndex.emplace(activity.Identity(), static_cast<int>(_activities.Size()));
    _activities.Append(activity);
    _problem.activities.push_back({NameOf(activity), found->second});
  }
  // What a station's other children take stays whatever the balance does.
  for (int s = 1; s <= stations.Size(); ++s) {
    QIVISPPChildManagement_var children(stations[s]);
    if (!children || activityIndex.count(stations[s].Identity())) continue;
    const std::unique_ptr<List> direct = children->GetChildren();
    for (const QIVBaseUnknown_var& child : *direct) {
      double seconds = 0.0;
      QIVISPPActivity_var timed(child);
      if (timed && !activityIndex.count(child.Identity()) && SUCCEEDED(timed->GetCycleTime(seconds)))
        _problem.stations[static_cast<std::size_t>(s - 1)].fixedSeconds += seconds;
    }
  }

  // Where each fastener may go: the activities it fits and sticks to.
  const ZELVekBIWJointTable joints = ZELVekBIWJointTable::OfCurrentDocument();
  std::unordered_map<Identity, std::vector<ZELVekBIWBalanceProblem::Option>> options;
  for (int a = 1; a <= _activities.Size(); ++a) {
    List candidates;
    for (const QIVBaseUnknown_var& joint : joints.Sticky(ItemsOf(_activities[a])))
      ZELVekBIWJointTable::AppendFasteners(joint, candidates);
    for (const QIVBaseUnknown_var& fastener : candidates) {
      if (FAILED(ZELFastenerServices::IsValidWeldForActivity(fastener, _activities[a]))) continue;
      std::vector<ZELVekBIWBalanceProblem::Option>& own = options[fastener.Identity()];
      if (own.empty() || own.back().activity != a - 1) own.push_back({a - 1, SecondsAt(_activities[a], fastener)});
    }
  }

  std::unordered_set<Identity> lockedSet;
  for (const QIVBaseUnknown_var& fastener : locked) lockedSet.insert(fastener.Identity());
  for (const QIVBaseUnknown_var& fastener : FastenersOfDocument()) {
    List assignedTo;
    int count = 0;
    ZELFastenerServices::GetActivityFromAssignedWeld(fastener, assignedTo, count);
    std::vector<int> onLine;
    for (const QIVBaseUnknown_var& activity : assignedTo)
      if (const auto found = activityIndex.find(activity.Identity()); found != activityIndex.end())
        onLine.push_back(found->second);
    const int elsewhere =
        count - static_cast<int>(onLine.size()) + ZELFastenerServices::GetNumberOfK2Assignments(fastener);
    auto stays = [&] {
      for (int a : onLine)
        _problem.stations[static_cast<std::size_t>(_problem.activities[static_cast<std::size_t>(a)].station)]
            .fixedSeconds += SecondsAt(_activities[a + 1], fastener);
    };
    const auto own = options.find(fastener.Identity());
    if (own == options.end()) {
      List parts;
      ZELFastenerServices::GetFastenerParts(fastener, parts);
      bool ofLine = !onLine.empty();
      for (const QIVBaseUnknown_var& part : parts) ofLine = ofLine || lineParts.count(part.Identity());
      if (ofLine && elsewhere == 0) _unreachable.Append(fastener);
      stays();
      continue;
    }
    if (elsewhere > 0 || onLine.size() > 1 || lockedSet.count(fastener.Identity()) ||
        (scope == Scope::Unassigned && !onLine.empty())) {
      stays();
      continue;
    }
    ZELVekBIWBalanceProblem::Fastener movable;
    movable.name = NameOf(fastener);
    movable.options = own->second;
    if (!onLine.empty()) {
      movable.current = onLine.front();
      movable.currentSeconds = SecondsAt(_activities[movable.current + 1], fastener);
    }
    _problem.fasteners.push_back(std::move(movable));
    _fasteners.Append(fastener);
  }
}

HRESULT ZELVekBIWLineBalance::Apply(const std::vector<int>& activityOf) const {
  std::set<int> touched;
  HRESULT result = S_OK;
  for (std::size_t f = 0; f < activityOf.size(); ++f) {
    const int from = _problem.fasteners[f].current;
    const int to = activityOf[f];
    if (to == from) continue;
    const List fastener{_fasteners[static_cast<int>(f) + 1]};
    if (from >= 0 && FAILED(ZELFastenerServices::UnassignListOfWelds(fastener, _activities[from + 1])))
      result = E_FAIL;
    if (ZELFastenerServices::AssignListOfWelds(&fastener, _activities[to + 1], QIVBaseUnknown_var(), 0) != S_OK)
      result = E_FAIL;
    if (from >= 0) touched.insert(from);
    touched.insert(to);
  }
  // A cycle time depends only on the activity's fasteners: once each.
  for (int activity : touched) ZELBIWActivityIntelligenceServices::UpdateCycleTimeForWelding(_activities[activity + 1]);
  return result;
}
