// Loading and saving a whole body's process document: 100,000 spot welds in
// 1,000 assembly joints over 41 parts, 20 stations whose welding activities
// hold the welds as items.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "QIVDocument.h"
#include "QIVDocumentIO.h"
#include "QIVDocumentReader.h"
#include "QIVDocumentWriter.h"
#include "QIVIAlias.h"
#include "QIVIProduct.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPFlowMgt.h"
#include "QIVISPPItemMgt.h"
#include "QIVMathTransformation.h"
#include "QIVSPPActivityType.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELISpotWeld.h"

namespace {

constexpr int Parts = 40;
constexpr int Joints = 1000;
constexpr int WeldsPerJoint = 100;
constexpr int Stations = 20;

QIVIDocument_var BuildBody() {
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var body;
  document->CreateProduct(nullptr, "Body", "BIW-000", body);
  std::vector<QIVBaseUnknown_var> parts;
  for (int i = 0; i < Parts; ++i) {
    QIVBaseUnknown_var part;
    document->CreateProduct(body, QIVUnicodeString::Format("Part.%d", i + 1),
                            QIVUnicodeString::Format("PN-%04d", i + 1), part);
    QIVIProduct_var(part)->SetPosition(
        QIVMathTransformation::FromYPR(i * 101.5, -i * 3.25, 700.0 / (i + 1), 0, 0, i));
    parts.push_back(part);
  }

  namespace T = QIVSPPActivityTypes;
  QIVBaseUnknown_var root, grouping;
  document->GetRootActivity(root);
  QIVISPPChildManagement_var(root)->CreateChild(T::Grouping, grouping);
  std::vector<QIVBaseUnknown_var> welders;
  QIVBaseUnknown_var previous;
  for (int i = 0; i < Stations; ++i) {
    QIVBaseUnknown_var station, loading, welding, unloading;
    QIVISPPChildManagement_var(grouping)->CreateChild(T::Station, station);
    QIVISPPChildManagement_var(station)->CreateChild(T::Loading, loading);
    QIVISPPChildManagement_var(station)->CreateChild(T::SpotWelding, welding);
    QIVISPPChildManagement_var(station)->CreateChild(T::Unloading, unloading);
    QIVISPPFlowMgt_var(loading)->AddNextActivity(welding);
    QIVISPPFlowMgt_var(welding)->AddNextActivity(unloading);
    if (previous) QIVISPPFlowMgt_var(previous)->AddNextActivity(loading);
    previous = unloading;
    welders.push_back(welding);
  }

  QIVBaseUnknown_var container, top;
  document->GetFeatureContainer(container);
  ZELIBIWFPPFactory_var factory(container);
  ZELIBIWFeaturePartRelations_var relations(container);
  factory->GetTopGroup(top);
  int number = 0;
  for (int j = 0; j < Joints; ++j) {
    QIVBaseUnknown_var joint, jointBody;
    factory->CreateGroup(top, joint);
    QIVIAlias_var(joint)->SetAlias(QIVUnicodeString::Format("Assembly Joint.%d", j + 1));
    const QIVListValQIVBaseUnknown_var joined{parts[j % Parts], parts[(j * 7 + 1) % Parts]};
    relations->SetRelatedParts(joint, joined, true);
    factory->CreateGroup(joint, jointBody);
    QIVIAlias_var(jointBody)->SetAlias(QIVUnicodeString::Format("JB%d", j + 1));
    for (int w = 0; w < WeldsPerJoint; ++w, ++number) {
      QIVBaseUnknown_var weld;
      factory->CreatePointFastener(jointBody, weld);
      QIVIAlias_var(weld)->SetAlias(QIVUnicodeString::Format("W%06d, J%d", number + 1, j + 1));
      ZELIBIWFastener_var(weld)->SetType("spot weld");
      ZELISpotWeld_var(weld)->SetValues(
          {number * 0.37, j * 1.125 - 400.0, 812.0 + w / 3.0, 0, 90.0 / (w + 1), 0, 0, 0, -1});
      relations->SetRelatedParts(weld, joined, true);
      QIVISPPItemMgt_var(welders[number % Stations])->AddItem(weld, QIVSPPItemAssigned);
    }
  }
  return document;
}

const QIVIDocument_var& Body() {
  static const QIVIDocument_var body = BuildBody();
  return body;
}

const std::string& BodyText() {
  static const std::string text = [] {
    std::string written;
    QIVDocumentError error;
    QIVDocumentWriter::Write(Body(), written, error);
    return written;
  }();
  return text;
}

void Count(benchmark::State& state) {
  state.counters["bytes"] = static_cast<double>(BodyText().size());
  state.counters["objects"] = Body()->GetObjectCount();
  state.counters["bytes_per_second"] = benchmark::Counter(static_cast<double>(BodyText().size()),
                                                          benchmark::Counter::kIsIterationInvariantRate);
}

void BM_WriteDocument(benchmark::State& state) {
  Body();
  for (auto _ : state) {
    std::string text;
    QIVDocumentError error;
    if (FAILED(QIVDocumentWriter::Write(Body(), text, error)))
      state.SkipWithError(error.Format().ConvertToChar());
    benchmark::DoNotOptimize(text.data());
  }
  Count(state);
}

void BM_ReadDocument(benchmark::State& state) {
  BodyText();
  for (auto _ : state) {
    QIVIDocument_var document;
    QIVDocumentError error;
    if (FAILED(QIVDocumentReader::Read(BodyText(), "body.json", document, error)))
      state.SkipWithError(error.Format().ConvertToChar());
    state.PauseTiming();
    if (document) document->Close();
    document = nullptr;
    state.ResumeTiming();
  }
  Count(state);
}

std::string TemporaryDirectory() {
  std::string directory = (std::filesystem::temp_directory_path() / "biwplan-bench-XXXXXX").string();
  return mkdtemp(directory.data()) ? directory : std::string();
}

// Through a file: the atomic save's flush to disk and the whole-file read
// included.
void BM_SaveAndLoadDocument(benchmark::State& state) {
  const std::string directory = TemporaryDirectory();
  if (directory.empty()) {
    state.SkipWithError("no temporary directory");
    return;
  }
  const std::string path = directory + "/body.json";
  Body();
  for (auto _ : state) {
    QIVDocumentError error;
    QIVIDocument_var document;
    if (FAILED(QIVDocumentIO::Save(Body(), path, error)) ||
        FAILED(QIVDocumentIO::Load(path, document, error)))
      state.SkipWithError(error.Format().ConvertToChar());
    state.PauseTiming();
    if (document) document->Close();
    document = nullptr;
    state.ResumeTiming();
  }
  std::filesystem::remove_all(directory);
  Count(state);
}

// A verb's save over the file it loaded: /0 the atomic save alone; /1 as a
// session saves, the file on disk first checked against the stamp taken when
// it was read (streamed and hashed) and the new stamp hashed from the bytes
// as they are written; /2 the same check, but the new stamp taken by reading
// the saved file back, as saves did before.
void BM_SaveOverLoadedFile(benchmark::State& state) {
  const std::string directory = TemporaryDirectory();
  if (directory.empty()) {
    state.SkipWithError("no temporary directory");
    return;
  }
  const std::string path = directory + "/body.json";
  const int mode = static_cast<int>(state.range(0));
  QIVDocumentError error;
  if (FAILED(QIVDocumentIO::Save(Body(), path, error))) state.SkipWithError(error.Format().ConvertToChar());
  QIVFileStamp stamp = QIVFileStamp::Of(path, BodyText());
  for (auto _ : state) {
    if (mode != 0 && !stamp.Matches(path)) state.SkipWithError("the file changed");
    if (FAILED(QIVDocumentIO::Save(Body(), path, error, mode == 1 ? &stamp : nullptr)))
      state.SkipWithError(error.Format().ConvertToChar());
    if (mode == 2) stamp = QIVFileStamp::Read(path);
  }
  std::filesystem::remove_all(directory);
  Count(state);
}

}  // namespace

BENCHMARK(BM_SaveOverLoadedFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_WriteDocument)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SaveAndLoadDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
