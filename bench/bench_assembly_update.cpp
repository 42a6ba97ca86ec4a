// Manufactured assembly update on generated lines of N stations in a
// linear flow, each station holding 20 BIW activities in a linear flow,
// with 100 products per station (5 handled by each activity):
//   BM_AssemblyUpdateFirst/N  the first update of the whole process, which
//                             makes every output assembly
//   BM_AssemblyUpdateAgain/N  a later update, which empties and refills them
// Counter: activities per second.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "QIVDispatcher.h"
#include "QIVDocument.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "ZELBIWUpdateManufAssemblyCmd.h"
#include "ZELVekBIWCommandsModule.h"

namespace {
constexpr int kActivitiesPerStation = 20;
constexpr int kProductsPerActivity = 5;

QIVIDocument_var BuildLine(int stationCount) {
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var root, station, previousStation, activity, previousActivity, product;
  document->GetRootActivity(root);
  int productNumber = 0;
  for (int s = 0; s < stationCount; ++s) {
    QIVISPPChildManagement_var(root)->CreateChild("BIWActivityStation", station);
    if (previousStation) QIVISPPFlowMgt_var(previousStation)->AddNextActivity(station);
    previousStation = station;
    previousActivity = nullptr;
    for (int a = 0; a < kActivitiesPerStation; ++a) {
      QIVISPPChildManagement_var(station)->CreateChild(
          a % 2 ? "BIWActivitySpotWelding" : "BIWActivityLoading", activity);
      if (previousActivity) QIVISPPFlowMgt_var(previousActivity)->AddNextActivity(activity);
      previousActivity = activity;
      for (int p = 0; p < kProductsPerActivity; ++p) {
        const std::string name = "Part" + std::to_string(++productNumber);
        document->CreateProduct(nullptr, name, "PN-" + name, product);
        QIVISPPItemMgt_var(activity)->AddItem(product);
      }
    }
  }
  return document;
}

// A session on a generated line with the update command started.
struct UpdateSession {
  explicit UpdateSession(int stationCount) {
    ZELVekBIWCommandsModule::Load();
    document = BuildLine(stationCount);
    session.OpenDocument(QIVBaseUnknown_var(document));
    session.Deliver(QIVStartEvent{"ZELBIWUpdateManufAssemblyCmd"});
  }
  ~UpdateSession() {
    session.CloseDocument();
    document->Close();
  }
  void Update() { session.Deliver(QIVWidgetEvent::Press("ButtonUpdate")); }

  QIVDispatcher session;
  QIVIDocument_var document;
};

void Count(benchmark::State& state) {
  state.counters["activities/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * state.range(0) * (kActivitiesPerStation + 1)),
      benchmark::Counter::kIsRate);
}

void BM_AssemblyUpdateFirst(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto line = std::make_unique<UpdateSession>(static_cast<int>(state.range(0)));
    state.ResumeTiming();
    line->Update();
    state.PauseTiming();
    line.reset();
    state.ResumeTiming();
  }
  Count(state);
}

void BM_AssemblyUpdateAgain(benchmark::State& state) {
  UpdateSession line(static_cast<int>(state.range(0)));
  line.Update();
  for (auto _ : state) line.Update();
  Count(state);
}
}  // namespace

BENCHMARK(BM_AssemblyUpdateFirst)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssemblyUpdateAgain)->Arg(25)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
