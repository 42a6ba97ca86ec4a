// Feature appearance speed on generated bodies:
//   BM_Appearance/N/R  the appearance command's work on N point fasteners
//                      with R rules: both files read, the features taken,
//                      every rule matched and applied.
// The rules name four attributes whatever R is (plan type, location x,
// name, fastening context), so the time grows with N x 4 (one index per
// attribute) plus the matches, not with R x N. Counters: fasteners and
// rules per second.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "QIVDispatcher.h"
#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVIPLMObject.h"
#include "QIVTranscript.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeature.h"
#include "ZELIBIWPointFastener.h"
#include "frame/ZELVekBIWCommandsModule.h"
#include "xml/ZELVekEditBIWFeatureAppearanceCmd.h"

namespace {
constexpr int kPlanTypes = 100;
constexpr int kFastenersPerJointBody = 100;

// N published point fasteners: plan types PT0..PT99 in turn, x from 0 to
// 999 mm in turn, every other one endo.
QIVIDocument_var BuildBody(int count) {
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var container, top, joint, jointBody, fastener;
  document->GetFeatureContainer(container);
  ZELIBIWFPPFactory_var factory(container);
  factory->GetTopGroup(top);
  factory->CreateGroup(top, joint);
  char text[32];
  for (int i = 0; i < count; ++i) {
    if (i % kFastenersPerJointBody == 0) factory->CreateGroup(joint, jointBody);
    factory->CreatePointFastener(jointBody, fastener);
    std::snprintf(text, sizeof text, "W%06d, A", i);
    QIVIAlias_var(fastener)->SetAlias(text);
    std::snprintf(text, sizeof text, "PLM-%08d", i);
    QIVIPLMObject_var(fastener)->SetPLMID(text);
    std::snprintf(text, sizeof text, "PT%d", i % kPlanTypes);
    ZELIBIWFeature_var(fastener)->SetPlanTypeName(text);
    ZELIBIWFastener_var(fastener)->SetCategory(i % 2 ? "endo" : "exo");
    ZELIBIWPointFastener_var(fastener)->SetDesignPosition(
        {static_cast<double>(i % 1000), 0.5 * i, 800, 0, 0, 0});
  }
  return document;
}

// R rules over the four attributes, a different value each.
std::string Rules(int count) {
  std::string text = "<Appearance>\n<BIWFeatureType BIWFeature=\"point fastener\">\n";
  const char* attributes[] = {"plantype_name", "location.x", "name", "fasteningcontext"};
  char value[32];
  for (int i = 0; i < count; ++i) {
    const int attribute = i % 4;
    if (attribute == 0) std::snprintf(value, sizeof value, "PT%d", i / 4 % kPlanTypes);
    if (attribute == 1) std::snprintf(value, sizeof value, "%d", i);
    if (attribute == 2) std::snprintf(value, sizeof value, "W%06d", i * 7);
    if (attribute == 3) std::snprintf(value, sizeof value, "%d", i / 4 % 2);
    text += std::string("<AttributeDetails attribute=\"") + attributes[attribute] + "\" value=\"" + value +
            "\"><color>" + std::to_string(i * 997 % 0xFFFFFF) +
            "</color><CGRName>Mark</CGRName></AttributeDetails>\n";
  }
  return text + "</BIWFeatureType>\n</Appearance>\n";
}

void BM_Appearance(benchmark::State& state) {
  const int fastenerCount = static_cast<int>(state.range(0));
  const int ruleCount = static_cast<int>(state.range(1));
  ZELVekBIWCommandsModule::Load();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("biwplan-bench-appearance-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string style = (folder / "Style.xml").string(), graphic = (folder / "Graphic.xml").string();
  std::ofstream(folder / "mark.obj") << "v 0 0 0\n";
  std::ofstream(style) << "<StyleFormat><Style name=\"Mark\" file=\"" << (folder / "mark.obj").string()
                       << "\"/></StyleFormat>\n";
  std::ofstream(graphic) << Rules(ruleCount);
  QIVIDocument_var document = BuildBody(fastenerCount);
  QIVDispatcher session;
  session.OpenDocument(QIVBaseUnknown_var(document));
  for (auto _ : state) {
    auto command = QIVMake<ZELVekEditBIWFeatureAppearanceCmd>();
    command->GetXMLParser({style.c_str(), graphic.c_str()});
    command->QueryXMLAttributes();
    command->UpdateBIWFeatureAppearance();
    state.PauseTiming();
    // Each changed feature writes a transcript line; they are not kept
    // from one run to the next.
    QIVTranscript::Current().Clear();
    state.ResumeTiming();
  }
  state.counters["fasteners/s"] = benchmark::Counter(static_cast<double>(fastenerCount) * state.iterations(),
                                                     benchmark::Counter::kIsRate);
  state.counters["rules/s"] =
      benchmark::Counter(static_cast<double>(ruleCount) * state.iterations(), benchmark::Counter::kIsRate);
  session.CloseDocument();
  document->Close();
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Appearance)
    ->Args({10000, 50})
    ->Args({100000, 50})
    ->Args({100000, 500})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
