// Weld reallocation and preview speed on a document of 100,000 fasteners
// joining pairs of 100 parts, and a process of 500 spot welding activities
// (50 stations of 10). The first two activities hold 20,000 fasteners each:
//   BM_ReallocateSelect      selecting 10,000 of the origin's 20,000 lines
//   BM_ReallocateMove        moving them to the second activity (the
//                            destination's pick through the activity picker,
//                            the move, the origin's list shown again)
//   BM_PreviewProducts/N     picking N products into the preview: the
//                            fasteners between them found and listed
//   BM_PreviewActivity/N     picking the activity: each listed fastener
//                            checked for it

#include <benchmark/benchmark.h>

#include <cstdio>
#include <numeric>
#include <vector>

#include "QIVDispatcher.h"
#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVISPPChildManagement.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivityFactory.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "assignment/ZELVekPreviewWindowManagerCmd.h"
#include "frame/ZELVekBIWCommandsModule.h"

namespace {
constexpr int kFasteners = 100000;
constexpr int kParts = 100;
constexpr int kStations = 50;
constexpr int kWeldingPerStation = 10;
constexpr int kOnEachOfTheFirstTwo = 20000;
constexpr int kMoved = 10000;

struct PlanningSession {
  PlanningSession() {
    ZELVekBIWCommandsModule::Load();
    document = QIVDocument::New();
    QIVBaseUnknown_var body, container, top, joint, root;
    document->CreateProduct(nullptr, "Body", "PN-BODY", body);
    parts.resize(kParts);
    for (int i = 0; i < kParts; ++i)
      document->CreateProduct(body, "Part." + std::to_string(i + 1), "PN-" + std::to_string(i + 1), parts[i]);
    document->GetRootActivity(root);
    for (int s = 0; s < kStations; ++s) {
      QIVBaseUnknown_var station =
          ZELIBIWActivityFactory_var(root)->CreateStationActivity(QIVISPPChildManagement_var(root));
      for (int w = 0; w < kWeldingPerStation; ++w)
        activities.push_back(ZELIBIWActivityFactory_var(station)->CreateSpotWeldingActivity(
            QIVISPPChildManagement_var(station)));
    }
    document->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    ZELIBIWFeaturePartRelations_var relations(container);
    factory->GetTopGroup(top);
    factory->CreateGroup(top, joint);
    std::vector<QIVListValQIVBaseUnknown_var> onActivity(activities.size());
    QIVBaseUnknown_var weld;
    for (int i = 0; i < kFasteners; ++i) {
      factory->CreatePointFastener(joint, weld);
      char name[32];
      std::snprintf(name, sizeof name, "W%06d, A", i + 1);
      QIVIAlias_var(weld)->SetAlias(name);
      ZELIBIWFastener_var(weld)->SetType("spot weld");
      relations->SetRelatedParts(
          weld, QIVListValQIVBaseUnknown_var{parts[i % kParts], parts[(i / kParts + i + 1) % kParts]}, true);
      const std::size_t on = i < 2 * kOnEachOfTheFirstTwo
                                 ? static_cast<std::size_t>(i % 2)
                                 : 2 + static_cast<std::size_t>(i) % (activities.size() - 2);
      onActivity[on].Append(weld);
    }
    for (std::size_t a = 0; a < activities.size(); ++a)
      ZELFastenerServices::AssignListOfWelds(&onActivity[a], activities[a], nullptr, 0);
    dispatcher.OpenDocument(QIVBaseUnknown_var(document));
  }
  ~PlanningSession() {
    dispatcher.CloseDocument();
    document->Close();
  }
  HRESULT Pick(const std::vector<QIVBaseUnknown_var>& objects) {
    std::vector<QIVPathElement_var> paths;
    for (const QIVBaseUnknown_var& object : objects) paths.push_back(QIVMake<QIVPathElement>(object.get()));
    return dispatcher.Deliver(QIVPickEvent{paths});
  }
  // The reallocation started on `origin` with its first kMoved lines
  // selected.
  bool StartReallocation(const QIVBaseUnknown_var& origin, std::vector<int>& rows) {
    dispatcher.CancelAllCommands();
    return SUCCEEDED(dispatcher.Deliver(QIVStartEvent{"ZELVekBIWReallocateWeldCmd"})) &&
           SUCCEEDED(Pick({origin})) &&
           SUCCEEDED(dispatcher.Deliver(QIVWidgetEvent::Select("ListAssignedWeldId", rows)));
  }
  int Count(const QIVBaseUnknown_var& activity) {
    QIVListValQIVBaseUnknown_var fasteners;
    ZELFastenerServices::GetWeldFromActivity(activity, fasteners, 0, 0);
    return fasteners.Size();
  }

  QIVDispatcher dispatcher;
  QIVIDocument_var document;
  std::vector<QIVBaseUnknown_var> parts;
  std::vector<QIVBaseUnknown_var> activities;
};

std::vector<int> FirstRows() {
  std::vector<int> rows(kMoved);
  std::iota(rows.begin(), rows.end(), 0);
  return rows;
}

void BM_ReallocateSelect(benchmark::State& state) {
  PlanningSession session;
  std::vector<int> rows = FirstRows();
  session.StartReallocation(session.activities[0], rows);
  for (auto _ : state) {
    if (FAILED(session.dispatcher.Deliver(QIVWidgetEvent::Select("ListAssignedWeldId", rows))))
      state.SkipWithError("the selection was refused");
  }
  session.dispatcher.CancelAllCommands();
}

void BM_ReallocateMove(benchmark::State& state) {
  PlanningSession session;
  std::vector<int> rows = FirstRows();
  int round = 0;
  for (auto _ : state) {
    // Back and forth between the first two activities, 10,000 each way.
    state.PauseTiming();
    const QIVBaseUnknown_var& origin = session.activities[round % 2];
    const QIVBaseUnknown_var& destination = session.activities[(round + 1) % 2];
    const int before = session.Count(destination);
    if (!session.StartReallocation(origin, rows)) {
      state.SkipWithError("the reallocation did not start");
      break;
    }
    state.ResumeTiming();
    const HRESULT picked = session.Pick({destination});
    state.PauseTiming();
    if (FAILED(picked) || session.Count(destination) != before + kMoved) {
      state.SkipWithError("the fasteners did not move");
      break;
    }
    ++round;
    state.ResumeTiming();
  }
  session.dispatcher.CancelAllCommands();
}

void BM_PreviewProducts(benchmark::State& state) {
  PlanningSession session;
  const std::vector<QIVBaseUnknown_var> products(session.parts.begin(),
                                                 session.parts.begin() + state.range(0));
  int listed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    session.dispatcher.CancelAllCommands();
    session.dispatcher.Deliver(QIVStartEvent{"ZELVekPreviewWindowManagerCmd"});
    state.ResumeTiming();
    if (FAILED(session.Pick(products))) state.SkipWithError("the products were refused");
    state.PauseTiming();
    if (auto* command = dynamic_cast<ZELVekPreviewWindowManagerCmd*>(session.dispatcher.GetActiveCommand()))
      listed = command->GetListedWelds().Size();
    // The next run starts without the products this one remembered.
    session.dispatcher.CloseDocument();
    session.dispatcher.OpenDocument(QIVBaseUnknown_var(session.document));
    state.ResumeTiming();
  }
  state.counters["listed"] = listed;
}

void BM_PreviewActivity(benchmark::State& state) {
  PlanningSession session;
  const std::vector<QIVBaseUnknown_var> products(session.parts.begin(),
                                                 session.parts.begin() + state.range(0));
  session.dispatcher.Deliver(QIVStartEvent{"ZELVekPreviewWindowManagerCmd"});
  session.Pick(products);
  for (auto _ : state) {
    if (FAILED(session.Pick({session.activities[7]}))) state.SkipWithError("the activity was refused");
  }
  session.dispatcher.CancelAllCommands();
}

BENCHMARK(BM_ReallocateSelect)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReallocateMove)->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(BM_PreviewProducts)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PreviewActivity)->Arg(50)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
