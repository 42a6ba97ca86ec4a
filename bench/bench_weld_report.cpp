// The weld accountability report on a generated body of F point fasteners
// on 2,000 parts, with A spot welding activities (arguments F/A) in
// stations of ten: of every ten fasteners, three are assigned to nothing,
// five to one activity and two to two; every twentieth also has one
// assignment in another document of the plant (a K2 assignment, as the
// document recorded it at its last publication).
//   BM_WeldReportOpen/F/A          starting the report: all fasteners read,
//                                  sorted, every row with its activity paths
//   BM_WeldReportFilter/F/A/O      choosing option O on the open report
//                                  (0 all, 1 assigned, 2 not assigned,
//                                  3 multi-assigned)
// Counters: rows (the table's rows after the step), peak_MB.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchDocumentSession.h"
#include "QIVIAlias.h"
#include "QIVISPPItemMgt.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"

namespace {
constexpr int kParts = 2000;
constexpr int kActivitiesPerStation = 10;
constexpr int kFastenersPerJointBody = 50;

// How many rows each option lists for `count` fasteners.
int ExpectedRows(int count, int option) {
  int rows = 0;
  for (int f = 0; f < count; ++f) {
    const int local = f % 10 < 3 ? 0 : (f % 10 < 8 ? 1 : 2);
    const int total = local + (f % 20 == 0 ? 1 : 0);
    rows += option == 0 || (option == 1 && total > 0) || (option == 2 && total == 0) ||
            (option == 3 && total > 1);
  }
  return rows;
}

struct ReportSession : BenchDocumentSession {
  ReportSession(int fastenerCount, int activityCount) {
    const std::vector<QIVBaseUnknown_var> parts = MakeBody(kParts);
    QIVBaseUnknown_var root;
    document->GetRootActivity(root);
    const QIVBaseUnknown_var line = BenchChild(root, "BIWActivityGrouping", "Line");
    std::vector<QIVBaseUnknown_var> welding;
    for (int s = 0; s < activityCount / kActivitiesPerStation; ++s) {
      const QIVBaseUnknown_var station =
          BenchChild(line, "BIWActivityStation", "Station." + std::to_string(s + 1));
      for (int a = 0; a < kActivitiesPerStation; ++a)
        welding.push_back(BenchChild(station, "BIWActivitySpotWelding",
                                "Weld." + std::to_string(s + 1) + "." + std::to_string(a + 1)));
    }

    QIVBaseUnknown_var container, top, joint, jointBody, weld;
    document->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    ZELIBIWFeaturePartRelations_var relations(container);
    factory->GetTopGroup(top);
    factory->CreateGroup(top, joint);
    for (int f = 0; f < fastenerCount; ++f) {
      if (f % kFastenersPerJointBody == 0) factory->CreateGroup(joint, jointBody);
      factory->CreatePointFastener(jointBody, weld);
      // Identifiers out of document order, so that the sort has work.
      const int id = (f * 7919) % fastenerCount + 1;
      // Appended piece by piece: GCC 12 warns wrongly on "W" + text + ", A".
      std::string name = "W";
      name.append(std::to_string(id)).append(", A");
      QIVIAlias_var(weld)->SetAlias(name);
      ZELIBIWFastener_var(weld)->SetType("spot weld");
      relations->SetRelatedParts(
          weld, QIVListValQIVBaseUnknown_var{parts[static_cast<std::size_t>(f) % parts.size()]}, true);
      const int assignments = f % 10 < 3 ? 0 : (f % 10 < 8 ? 1 : 2);
      for (int k = 0; k < assignments; ++k)
        QIVISPPItemMgt_var(welding[static_cast<std::size_t>(f * 7 + k * 13) % welding.size()])->AddItem(weld);
      if (f % 20 == 0) ZELIBIWFastener_var(weld)->AddExternalAssignment("Process/Framing/Station 40/Respot");
    }
    Open();
  }
};

void BM_WeldReportOpen(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  ReportSession session(count, static_cast<int>(state.range(1)));
  int rows = 0;
  for (auto _ : state) {
    session.dispatcher->Deliver(QIVStartEvent("ZELVekBIWWeldAccountabilityCmd"));
    state.PauseTiming();
    rows = session.Rows("WeldActMultiListId");
    session.dispatcher->CancelAllCommands();
    QIVDelayedDestruction::Flush();
    if (rows != count) {
      state.SkipWithError("the report does not list every fastener");
      break;
    }
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["peak_MB"] = BenchPeakMB();
}

void BM_WeldReportFilter(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const int option = static_cast<int>(state.range(2));
  ReportSession session(count, static_cast<int>(state.range(1)));
  session.dispatcher->Deliver(QIVStartEvent("ZELVekBIWWeldAccountabilityCmd"));
  int rows = 0;
  for (auto _ : state) {
    session.dispatcher->Deliver(QIVWidgetEvent::Choose("OptionComboId", option));
    state.PauseTiming();
    rows = session.Rows("WeldActMultiListId");
    if (rows != ExpectedRows(count, option)) {
      state.SkipWithError("the report lists other rows than the option keeps");
      break;
    }
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["peak_MB"] = BenchPeakMB();
}

BENCHMARK(BM_WeldReportOpen)
    ->Args({100000, 500})
    ->ArgNames({"fasteners", "activities"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_WeldReportFilter)
    ->ArgsProduct({{100000}, {500}, {0, 1, 2, 3}})
    ->ArgNames({"fasteners", "activities", "option"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
