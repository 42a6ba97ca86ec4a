// Manufactured assembly update on generated lines of N stations in a
// linear flow, each station holding 20 BIW activities in a linear flow,
// each activity handling P products of its own (arguments N/P):
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
#include "flow/ZELBIWUpdateManufAssemblyCmd.h"
#include "frame/ZELVekBIWCommandsModule.h"

namespace {
constexpr int kActivitiesPerStation = 20;

QIVIDocument_var BuildLine(int stationCount, int productsPerActivity) {
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
      for (int p = 0; p < productsPerActivity; ++p) {
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
  explicit UpdateSession(const benchmark::State& state) {
    ZELVekBIWCommandsModule::Load();
    document = BuildLine(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
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
    auto line = std::make_unique<UpdateSession>(state);
    state.ResumeTiming();
    line->Update();
    state.PauseTiming();
    line.reset();
    state.ResumeTiming();
  }
  Count(state);
}

void BM_AssemblyUpdateAgain(benchmark::State& state) {
  UpdateSession line(state);
  line.Update();
  for (auto _ : state) line.Update();
  Count(state);
}
}  // namespace

BENCHMARK(BM_AssemblyUpdateFirst)
    ->Args({25, 5})
    ->Args({50, 5})
    ->Args({100, 5})
    ->Args({50, 10})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssemblyUpdateAgain)
    ->Args({25, 5})
    ->Args({50, 5})
    ->Args({100, 5})
    ->Args({50, 10})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
