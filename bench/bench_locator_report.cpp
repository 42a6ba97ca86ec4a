// Locator accountability on a generated fixture of L locating and clamping
// points (half each) on 2,000 parts, assigned to A activities (arguments
// L/A): stations of ten activities (a loading, clamping and unclamping
// activities, and groupings); of every ten locators, three are assigned to
// nothing, five to one activity and two to two.
//   BM_LocatorReportOpen/L/A    starting the report: the document list, every
//                               row with the activity paths, the table shown
//   BM_LocatorReportFilter/L/A  choosing the multi-assigned filter, then
//                               all locators again, on the open report
// Counters: rows (the table's rows after the step), peak_MB.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchDocumentSession.h"
#include "QIVIAlias.h"
#include "QIVISPPItemMgt.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"

namespace {
constexpr int kParts = 2000;
constexpr int kActivitiesPerStation = 10;
// Per station: which activities take locating points, which clamping ones.
constexpr const char* kStationActivities[kActivitiesPerStation] = {
    "BIWActivityLoading",  "BIWActivityLoading",    "BIWActivityClamping", "BIWActivityClamping",
    "BIWActivityClamping", "BIWActivityUnclamping", "BIWActivityGrouping", "BIWActivityGrouping",
    "BIWActivityLoading",  "BIWActivityUnclamping"};

struct ReportSession : BenchDocumentSession {
  ReportSession(int locatorCount, int activityCount) {
    const std::vector<QIVBaseUnknown_var> parts = MakeBody(kParts);
    QIVBaseUnknown_var root;
    document->GetRootActivity(root);
    const QIVBaseUnknown_var line = BenchChild(root, "BIWActivityGrouping", "Line");
    std::vector<QIVBaseUnknown_var> locating, clamping;
    for (int s = 0; s < activityCount / kActivitiesPerStation; ++s) {
      const QIVBaseUnknown_var station =
          BenchChild(line, "BIWActivityStation", "Station." + std::to_string(s + 1));
      for (int a = 0; a < kActivitiesPerStation; ++a) {
        const QIVBaseUnknown_var activity = BenchChild(
            station, kStationActivities[a], "Op." + std::to_string(s + 1) + "." + std::to_string(a + 1));
        const std::string type = kStationActivities[a];
        if (type != "BIWActivityClamping" && type != "BIWActivityUnclamping") locating.push_back(activity);
        if (type != "BIWActivityLoading") clamping.push_back(activity);
      }
    }

    QIVBaseUnknown_var container, locatingTop, clampingTop, point;
    document->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    ZELIBIWFeaturePartRelations_var relations(container);
    factory->GetTopLocatingPointGroup(locatingTop);
    factory->GetTopClampingPointGroup(clampingTop);
    for (int l = 0; l < locatorCount; ++l) {
      const bool clamp = l % 2 == 1;
      if (clamp)
        factory->CreateClampingPoint(clampingTop, point);
      else
        factory->CreateLocatingPoint(locatingTop, point);
      QIVIAlias_var(point)->SetAlias((clamp ? "CP_" : "LP_") + std::to_string(l + 1));
      relations->SetRelatedParts(
          point, QIVListValQIVBaseUnknown_var{parts[static_cast<std::size_t>(l) % parts.size()]}, true);
      const std::vector<QIVBaseUnknown_var>& takers = clamp ? clamping : locating;
      const int assignments = l % 10 < 3 ? 0 : (l % 10 < 8 ? 1 : 2);
      for (int k = 0; k < assignments && !takers.empty(); ++k)
        QIVISPPItemMgt_var(takers[static_cast<std::size_t>(l * 7 + k * 13) % takers.size()])->AddItem(point);
    }
    Open();
  }
};

void BM_LocatorReportOpen(benchmark::State& state) {
  ReportSession session(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  int rows = 0;
  for (auto _ : state) {
    session.dispatcher->Deliver(QIVStartEvent("ZELLocatorAccountabilityCommand"));
    state.PauseTiming();
    rows = session.Rows("MultiListID");
    session.dispatcher->CancelAllCommands();
    QIVDelayedDestruction::Flush();
    if (rows != state.range(0)) {
      state.SkipWithError("the report does not list every locator");
      break;
    }
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["peak_MB"] = BenchPeakMB();
}

void BM_LocatorReportFilter(benchmark::State& state) {
  ReportSession session(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  session.dispatcher->Deliver(QIVStartEvent("ZELLocatorAccountabilityCommand"));
  int rows = 0;
  for (auto _ : state) {
    session.dispatcher->Deliver(QIVWidgetEvent::Choose("ComboFilterOptionsID", 3));
    state.PauseTiming();
    rows = session.Rows("MultiListID");
    state.ResumeTiming();
    session.dispatcher->Deliver(QIVWidgetEvent::Choose("ComboFilterOptionsID", 0));
  }
  state.counters["rows"] = rows;
  state.counters["peak_MB"] = BenchPeakMB();
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  for (int locators : {5000, 20000}) benchmark->Args({locators, 500});
  benchmark->ArgNames({"locators", "activities"})->Unit(benchmark::kMillisecond)->Iterations(3);
}

BENCHMARK(BM_LocatorReportOpen)->Apply(Sizes);
BENCHMARK(BM_LocatorReportFilter)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
