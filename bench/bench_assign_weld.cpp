// Manual weld assignment speed on a document of N fasteners (100 parts, a
// tenth of the fasteners already assigned) and 500 spot welding activities
// (50 stations of 10):
//   BM_AssignWeldOpen/N         the command's start: both combos, both lists
//                               of the first activity and product, the display
//   BM_AssignWeldAllProducts/N  choosing "All Products": the left list of
//                               every unassigned fastener
//   BM_AssignWeldAssign/N       assigning 1,000 selected lines of that list
//   BM_AssignWeldPick/N         picking 100 fasteners in the view
//   BM_AssignWeldAccount/N      the accountability page over all fasteners

#include <benchmark/benchmark.h>

#include <cstdio>
#include <numeric>
#include <vector>

#include "QIVDispatcher.h"
#include "QIVDlgSelectorList.h"
#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVISPPChildManagement.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivityFactory.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "assignment/ZELVekBIWAssignWeldCmd.h"
#include "assignment/ZELVekBIWAssignWeldDlg.h"
#include "frame/ZELVekBIWCommandsModule.h"

namespace {
constexpr int kParts = 100;
constexpr int kStations = 50;
constexpr int kWeldingPerStation = 10;
constexpr int kAssignedLines = 1000;
constexpr int kPicked = 100;

struct AssignSession {
  explicit AssignSession(int fastenerCount) {
    ZELVekBIWCommandsModule::Load();
    document = QIVDocument::New();
    QIVBaseUnknown_var body, container, top, joint, root;
    document->CreateProduct(nullptr, "Body", "PN-BODY", body);
    std::vector<QIVBaseUnknown_var> parts(kParts);
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
    QIVBaseUnknown_var weld;
    for (int i = 0; i < fastenerCount; ++i) {
      factory->CreatePointFastener(joint, weld);
      char name[32];
      std::snprintf(name, sizeof name, "W%06d, A", fastenerCount - i);
      QIVIAlias_var(weld)->SetAlias(name);
      ZELIBIWFastener_var(weld)->SetType("spot weld");
      relations->SetRelatedParts(weld, QIVListValQIVBaseUnknown_var{parts[i % kParts]}, true);
      if (i % 10 == 3) {
        QIVListValQIVBaseUnknown_var one{weld};
        ZELFastenerServices::AssignListOfWelds(&one, activities[(i / 10) % activities.size()], nullptr, 0);
      }
    }
    dispatcher.OpenDocument(QIVBaseUnknown_var(document));
  }
  ~AssignSession() {
    dispatcher.CloseDocument();
    document->Close();
  }
  ZELVekBIWAssignWeldDlg* Start() {
    dispatcher.Deliver(QIVStartEvent{"ZELVekBIWAssignWeldCmd"});
    auto* command = dynamic_cast<ZELVekBIWAssignWeldCmd*>(dispatcher.GetActiveCommand());
    return command ? command->GetDialog() : nullptr;
  }
  bool AllProducts() {
    return SUCCEEDED(dispatcher.Deliver(QIVWidgetEvent::Choose("ComboProductId", kParts)));
  }

  QIVDispatcher dispatcher;
  QIVIDocument_var document;
  std::vector<QIVBaseUnknown_var> activities;
};

void BM_AssignWeldOpen(benchmark::State& state) {
  AssignSession session(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ZELVekBIWAssignWeldDlg* dialog = session.Start();
    state.PauseTiming();
    const bool opened = dialog && !dialog->GetLeftListWelds().IsEmpty();
    session.dispatcher.CancelAllCommands();
    if (!opened) {
      state.SkipWithError("the dialog did not open");
      break;
    }
    state.ResumeTiming();
  }
}

void BM_AssignWeldAllProducts(benchmark::State& state) {
  AssignSession session(static_cast<int>(state.range(0)));
  ZELVekBIWAssignWeldDlg* dialog = session.Start();
  for (auto _ : state) {
    if (!session.AllProducts()) state.SkipWithError("All Products was refused");
  }
  state.counters["lines"] = dialog ? dialog->GetLeftListWelds().Size() : 0;
  session.dispatcher.CancelAllCommands();
}

void BM_AssignWeldAssign(benchmark::State& state) {
  AssignSession session(static_cast<int>(state.range(0)));
  ZELVekBIWAssignWeldDlg* dialog = session.Start();
  session.AllProducts();
  std::vector<int> rows(kAssignedLines);
  std::iota(rows.begin(), rows.end(), 0);
  for (auto _ : state) {
    state.PauseTiming();
    session.dispatcher.Deliver(QIVWidgetEvent::Select("SelectListLeftId", rows));
    state.ResumeTiming();
    if (FAILED(session.dispatcher.Deliver(QIVWidgetEvent::Press("PushButtonAssignId")))) {
      state.SkipWithError("assign was refused");
      break;
    }
    state.PauseTiming();
    if (!dialog || !dialog->GetActivityWelds() || dialog->GetActivityWelds()->Size() < kAssignedLines) {
      state.SkipWithError("nothing was assigned");
      break;
    }
    state.ResumeTiming();
  }
  session.dispatcher.CancelAllCommands();
}

void BM_AssignWeldPick(benchmark::State& state) {
  AssignSession session(static_cast<int>(state.range(0)));
  ZELVekBIWAssignWeldDlg* dialog = session.Start();
  session.AllProducts();
  std::vector<QIVPathElement_var> paths;
  for (int i = 0; i < kPicked && dialog; ++i)
    paths.push_back(QIVMake<QIVPathElement>(dialog->GetLeftListWelds()[i * 7 + 1].get()));
  for (auto _ : state) {
    if (FAILED(session.dispatcher.Deliver(QIVPickEvent{paths}))) state.SkipWithError("the pick was refused");
  }
  session.dispatcher.CancelAllCommands();
}

void BM_AssignWeldAccount(benchmark::State& state) {
  AssignSession session(static_cast<int>(state.range(0)));
  session.Start();
  for (auto _ : state) {
    if (FAILED(session.dispatcher.Deliver(QIVWidgetEvent::Tab("TabContainerId", "TabPageAccountabilityId"))))
      state.SkipWithError("the page was refused");
  }
  session.dispatcher.CancelAllCommands();
}

void FastenerCounts(benchmark::internal::Benchmark* benchmark) {
  for (int fasteners : {10000, 100000}) benchmark->Arg(fasteners);
  benchmark->Unit(benchmark::kMillisecond)->Iterations(3);
}

BENCHMARK(BM_AssignWeldOpen)->Apply(FastenerCounts);
BENCHMARK(BM_AssignWeldAllProducts)->Apply(FastenerCounts);
BENCHMARK(BM_AssignWeldAssign)->Apply(FastenerCounts);
BENCHMARK(BM_AssignWeldPick)->Apply(FastenerCounts);
BENCHMARK(BM_AssignWeldAccount)->Apply(FastenerCounts);

}  // namespace

BENCHMARK_MAIN();
