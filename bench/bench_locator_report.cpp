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
#include <sys/resource.h>

#include <memory>
#include <string>
#include <vector>

#include "QIVDelayedDestruction.h"
#include "QIVDispatcher.h"
#include "QIVDlgMultiList.h"
#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "ZELIBIWClampingPoint.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIBIWLocatingPoint.h"
#include "frame/ZELVekBIWCommandsModule.h"

namespace {
constexpr int kParts = 2000;
constexpr int kActivitiesPerStation = 10;
// Per station: which activities take locating points, which clamping ones.
constexpr const char* kStationActivities[kActivitiesPerStation] = {
    "BIWActivityLoading",  "BIWActivityLoading",    "BIWActivityClamping", "BIWActivityClamping",
    "BIWActivityClamping", "BIWActivityUnclamping", "BIWActivityGrouping", "BIWActivityGrouping",
    "BIWActivityLoading",  "BIWActivityUnclamping"};

QIVBaseUnknown_var Child(const QIVBaseUnknown_var& parent, const char* type, const std::string& name) {
  QIVBaseUnknown_var child;
  QIVISPPChildManagement_var(parent)->CreateChild(type, child);
  QIVISPPActivity_var(child)->SetName(name);
  return child;
}

struct ReportSession {
  ReportSession(int locatorCount, int activityCount) {
    ZELVekBIWCommandsModule::Load();
    document = QIVDocument::New();
    QIVBaseUnknown_var body, part, root;
    document->CreateProduct(nullptr, "Body", "PN-BODY", body);
    std::vector<QIVBaseUnknown_var> parts;
    for (int p = 0; p < kParts; ++p) {
      document->CreateProduct(body, "Part." + std::to_string(p + 1), "PN-" + std::to_string(p + 1), part);
      parts.push_back(part);
    }
    document->GetRootActivity(root);
    const QIVBaseUnknown_var line = Child(root, "BIWActivityGrouping", "Line");
    std::vector<QIVBaseUnknown_var> locating, clamping;
    for (int s = 0; s < activityCount / kActivitiesPerStation; ++s) {
      const QIVBaseUnknown_var station =
          Child(line, "BIWActivityStation", "Station." + std::to_string(s + 1));
      for (int a = 0; a < kActivitiesPerStation; ++a) {
        const QIVBaseUnknown_var activity = Child(
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
    dispatcher = std::make_unique<QIVDispatcher>();
    dispatcher->OpenDocument(QIVBaseUnknown_var(document));
  }
  ~ReportSession() {
    dispatcher->CloseDocument();
    dispatcher.reset();
    document->Close();
    QIVDelayedDestruction::Flush();
  }

  int Rows() const {
    const auto* list = dynamic_cast<const QIVDlgMultiList*>(dispatcher->FindWidget("MultiListID"));
    return list ? list->GetRowCount() : 0;
  }

  QIVIDocument_var document;
  std::unique_ptr<QIVDispatcher> dispatcher;
};

double PeakMB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LocatorReportOpen(benchmark::State& state) {
  ReportSession session(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  int rows = 0;
  for (auto _ : state) {
    session.dispatcher->Deliver(QIVStartEvent("ZELLocatorAccountabilityCommand"));
    state.PauseTiming();
    rows = session.Rows();
    session.dispatcher->CancelAllCommands();
    QIVDelayedDestruction::Flush();
    if (rows != state.range(0)) {
      state.SkipWithError("the report does not list every locator");
      break;
    }
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["peak_MB"] = PeakMB();
}

void BM_LocatorReportFilter(benchmark::State& state) {
  ReportSession session(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  session.dispatcher->Deliver(QIVStartEvent("ZELLocatorAccountabilityCommand"));
  int rows = 0;
  for (auto _ : state) {
    session.dispatcher->Deliver(QIVWidgetEvent::Choose("ComboFilterOptionsID", 3));
    state.PauseTiming();
    rows = session.Rows();
    state.ResumeTiming();
    session.dispatcher->Deliver(QIVWidgetEvent::Choose("ComboFilterOptionsID", 0));
  }
  state.counters["rows"] = rows;
  state.counters["peak_MB"] = PeakMB();
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  for (int locators : {5000, 20000}) benchmark->Args({locators, 500});
  benchmark->ArgNames({"locators", "activities"})->Unit(benchmark::kMillisecond)->Iterations(3);
}

BENCHMARK(BM_LocatorReportOpen)->Apply(Sizes);
BENCHMARK(BM_LocatorReportFilter)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
