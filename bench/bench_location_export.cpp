// Location export speed on generated bodies:
//   BM_LocationExportStart/N  the command's start: every spot weld gathered,
//                             sorted by identifier and listed
//   BM_LocationExportSave/N   writing the N listed welds and a reference
//                             product to an XML file
//   BM_LocationExportPick/N   picking one joint body of 100 welds, all
//                             listed, in a list of N
// Counters: welds per second, and for the save the file's size (MB).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "QIVDispatcher.h"
#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVIProduct.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWPointFastener.h"
#include "frame/ZELVekBIWCommandsModule.h"
#include "xml/ZELVekBIWSaveLocationsInXMLCmd.h"
#include "xml/ZELVekBIWSaveLocationsInXMLDlg.h"

namespace {
constexpr int kWeldsPerJointBody = 100;

// A body of `weldCount` spot welds in joint bodies of 100, named in
// reverse so that the list has to be sorted, every other one with a
// manufacturing position; and a reference product.
QIVIDocument_var BuildBody(int weldCount, QIVBaseUnknown_var& lastJointBody) {
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var body, container, top, joint, weld;
  document->CreateProduct(nullptr, "Body", "PN-BODY", body);
  QIVIProduct_var(body)->SetPosition(QIVMathTransformation::FromYPR(1000, 0, 500, 0, 0, 90));
  document->GetFeatureContainer(container);
  ZELIBIWFPPFactory_var factory(container);
  factory->GetTopGroup(top);
  factory->CreateGroup(top, joint);
  for (int i = 0; i < weldCount; ++i) {
    if (i % kWeldsPerJointBody == 0) factory->CreateGroup(joint, lastJointBody);
    factory->CreatePointFastener(lastJointBody, weld);
    char name[32];
    std::snprintf(name, sizeof name, "W%06d, A", weldCount - i);
    QIVIAlias_var(weld)->SetAlias(name);
    ZELIBIWFastener_var(weld)->SetFastenerVersion("K2.1");
    ZELIBIWPointFastener_var point(weld);
    point->SetDesignPosition({i * 0.5, -i * 0.25, 1200.125, 0, 45, i % 360 - 180.0});
    if (i % 2) point->SetManufacturingPosition({i * 0.5 + 1, -i * 0.25, 1200, 0, 44, 0}, false);
  }
  return document;
}

// A session with the document open and the export command started.
struct ExportSession {
  explicit ExportSession(int weldCount) {
    ZELVekBIWCommandsModule::Load();
    document = BuildBody(weldCount, lastJointBody);
    session.OpenDocument(QIVBaseUnknown_var(document));
  }
  ~ExportSession() {
    session.CloseDocument();
    document->Close();
  }
  ZELVekBIWSaveLocationsInXMLCmd* Start() {
    session.Deliver(QIVStartEvent{"ZELVekBIWSaveLocationsInXMLCmd"});
    return dynamic_cast<ZELVekBIWSaveLocationsInXMLCmd*>(session.GetActiveCommand());
  }

  QIVDispatcher session;
  QIVIDocument_var document;
  QIVBaseUnknown_var lastJointBody;
};

void BM_LocationExportStart(benchmark::State& state) {
  const int weldCount = static_cast<int>(state.range(0));
  ExportSession export_(weldCount);
  for (auto _ : state) {
    ZELVekBIWSaveLocationsInXMLCmd* command = export_.Start();
    state.PauseTiming();
    if (!command || command->GetDialog()->GetWeldsInList().Size() != weldCount)
      state.SkipWithError("not every weld was listed");
    export_.session.CancelAllCommands();
    state.ResumeTiming();
  }
  state.counters["welds/s"] =
      benchmark::Counter(static_cast<double>(weldCount) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_LocationExportSave(benchmark::State& state) {
  const int weldCount = static_cast<int>(state.range(0));
  const std::string path =
      (std::filesystem::temp_directory_path() / ("bench_locations_" + std::to_string(::getpid()) + ".xml"))
          .string();
  ExportSession export_(weldCount);
  ZELVekBIWSaveLocationsInXMLCmd* command = export_.Start();
  ZELVekBIWSaveLocationsInXMLDlg* dialog = command ? command->GetDialog() : nullptr;
  if (!dialog) {
    state.SkipWithError("the command did not start");
    return;
  }
  dialog->SetRefProduct(QIVIProduct_var(export_.document->GetRootProducts()[1]));
  for (auto _ : state) {
    if (FAILED(dialog->SaveResult(path))) state.SkipWithError("the file was not written");
  }
  state.counters["welds/s"] =
      benchmark::Counter(static_cast<double>(weldCount) * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
  export_.session.CancelAllCommands();
  std::filesystem::remove(path);
}

void BM_LocationExportPick(benchmark::State& state) {
  const int weldCount = static_cast<int>(state.range(0));
  ExportSession export_(weldCount);
  ZELVekBIWSaveLocationsInXMLCmd* command = export_.Start();
  if (!command) {
    state.SkipWithError("the command did not start");
    return;
  }
  QIVPathElement_var path = ZELVekBIWSaveLocationsInXMLCmd::BuildPathElement(export_.lastJointBody);
  for (auto _ : state) {
    if (FAILED(export_.session.Deliver(QIVPickEvent{{path}}))) state.SkipWithError("the pick was refused");
  }
  state.counters["picks/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  export_.session.CancelAllCommands();
}

void WeldCounts(benchmark::internal::Benchmark* benchmark) {
  for (int welds : {1000, 10000, 100000}) benchmark->Arg(welds);
  benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LocationExportStart)->Apply(WeldCounts);
BENCHMARK(BM_LocationExportSave)->Apply(WeldCounts);
BENCHMARK(BM_LocationExportPick)->Apply(WeldCounts);

}  // namespace

BENCHMARK_MAIN();
