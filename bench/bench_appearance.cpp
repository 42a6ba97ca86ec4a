// Feature appearance speed on generated bodies:
//   BM_Appearance/N/R  the appearance command's work on N point fasteners
//                      with R rules: both files read, the features taken,
//                      every rule matched and applied.
//   BM_SAXStream/MB    the host's SAX parser over a generated graphic file
//                      of MB megabytes, into a handler that keeps nothing:
//                      the growth of the process's peak resident memory
//                      tells whether reading streams.
// The rules name four attributes whatever R is (plan type, location x,
// name, fastening context), so the time grows with N x 4 (one index per
// attribute) plus the matches, not with R x N: rules whose values match
// nothing (matching 0) cost the indexes alone, whatever their number.
// Counters: fasteners and rules per second, features changed per run.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "QIVDictionary.h"
#include "QIVDispatcher.h"
#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVIPLMObject.h"
#include "QIVIXMLSAXFactory.h"
#include "QIVSAXDefaultHandler.h"
#include "QIVTranscript.h"
#include "TIEQIVISAXHandler.h"
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

// R rules over the four attributes in turn, a different value each; with
// `matching` false no value is found (only the indexes are built).
std::string Rules(int count, bool matching = true) {
  std::string text = "<Appearance>\n<BIWFeatureType BIWFeature=\"point fastener\">\n";
  const char* attributes[] = {"plantype_name", "location.x", "name", "fasteningcontext"};
  const char* miss = matching ? "" : "x";
  char value[32];
  for (int i = 0; i < count; ++i) {
    const int attribute = i % 4;
    if (attribute == 0) std::snprintf(value, sizeof value, "%sPT%d", miss, i / 4 % kPlanTypes);
    if (attribute == 1) std::snprintf(value, sizeof value, "%s%d", matching ? "" : "-", i);
    if (attribute == 2) std::snprintf(value, sizeof value, "%sW%06d", miss, i * 7);
    if (attribute == 3) std::snprintf(value, sizeof value, "%s%d", miss, i / 4 % 2);
    text += std::string("<AttributeDetails attribute=\"") + attributes[attribute] + "\" value=\"" + value +
            "\"><color>" + std::to_string(i * 997 % 0xFFFFFF) +
            "</color><CGRName>Mark</CGRName></AttributeDetails>\n";
  }
  return text + "</BIWFeatureType>\n</Appearance>\n";
}

void BM_Appearance(benchmark::State& state) {
  const int fastenerCount = static_cast<int>(state.range(0));
  const int ruleCount = static_cast<int>(state.range(1));
  const bool matching = state.range(2) != 0;
  ZELVekBIWCommandsModule::Load();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("biwplan-bench-appearance-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string style = (folder / "Style.xml").string(), graphic = (folder / "Graphic.xml").string();
  std::ofstream(folder / "mark.obj") << "v 0 0 0\n";
  std::ofstream(style) << "<StyleFormat><Style name=\"Mark\" file=\"" << (folder / "mark.obj").string()
                       << "\"/></StyleFormat>\n";
  std::ofstream(graphic) << Rules(ruleCount, matching);
  QIVIDocument_var document = BuildBody(fastenerCount);
  QIVDispatcher session;
  session.OpenDocument(QIVBaseUnknown_var(document));
  // Each feature a rule changes writes one transcript line.
  std::size_t matches = 0;
  for (auto _ : state) {
    auto command = QIVMake<ZELVekEditBIWFeatureAppearanceCmd>();
    command->GetXMLParser({style.c_str(), graphic.c_str()});
    command->QueryXMLAttributes();
    command->UpdateBIWFeatureAppearance();
    state.PauseTiming();
    matches = QIVTranscript::Current().Size();
    QIVTranscript::Current().Clear();
    state.ResumeTiming();
  }
  state.counters["fasteners/s"] = benchmark::Counter(static_cast<double>(fastenerCount) * state.iterations(),
                                                     benchmark::Counter::kIsRate);
  state.counters["rules/s"] =
      benchmark::Counter(static_cast<double>(ruleCount) * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["matches"] = static_cast<double>(matches);
  session.CloseDocument();
  document->Close();
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Appearance)
    ->ArgNames({"fasteners", "rules", "matching"})
    ->Args({10000, 50, 1})
    ->Args({100000, 50, 1})
    ->Args({100000, 500, 1})
    ->Args({100000, 50, 0})
    ->Args({100000, 500, 0})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

// Counts the elements it hears and keeps nothing.
class CountingHandler : public QIVSAXDefaultHandler {
 public:
  const char* GetImplClassName() const override { return "BenchCountingHandler"; }
  HRESULT StartElement(const QIVUnicodeString&, const QIVISAXAttributeList*) override {
    ++elements;
    return S_OK;
  }
  long long elements = 0;
};

long PeakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void BM_SAXStream(benchmark::State& state) {
  const long megabytes = state.range(0);
  QIVFillDictionary("BenchCountingHandler", QIVISAXDocumentHandler::ClassName(),
                    &TIEQIVISAXDocumentHandler<CountingHandler>::Create);
  QIVFillDictionary("BenchCountingHandler", QIVISAXErrorHandler::ClassName(),
                    &TIEQIVISAXErrorHandler<CountingHandler>::Create);
  const std::string path =
      (std::filesystem::temp_directory_path() / ("biwplan-bench-sax-" + std::to_string(::getpid()) + ".xml"))
          .string();
  {
    std::ofstream out(path);
    const std::string rules = Rules(1000);
    const std::string body =
        rules.substr(rules.find('\n') + 1, rules.rfind("</Appearance>") - rules.find('\n') - 1);
    out << "<Appearance>\n";
    for (long written = 0; written < megabytes << 20; written += static_cast<long>(body.size())) out << body;
    out << "</Appearance>\n";
  }
  QIVIXMLSAXFactory_var factory;
  CreateQIVIXMLSAXFactory(factory);
  const long before = PeakResidentKiB();
  long long elements = 0;
  for (auto _ : state) {
    QIVISAXParser_var parser;
    factory->CreateParser(parser, {}, {});
    auto handler = QIVMake<CountingHandler>();
    parser->SetDocumentHandler(QIVISAXDocumentHandler_var(handler.get()));
    parser->SetErrorHandler(QIVISAXErrorHandler_var(handler.get()));
    if (FAILED(parser->Parse(path.c_str()))) state.SkipWithError("the generated file did not read");
    elements = handler->elements;
  }
  state.counters["MB/s"] =
      benchmark::Counter(static_cast<double>(megabytes) * state.iterations(), benchmark::Counter::kIsRate);
  state.counters["elements"] = static_cast<double>(elements);
  state.counters["peak RSS growth MiB"] = static_cast<double>(PeakResidentKiB() - before) / 1024.0;
  std::filesystem::remove(path);
}
BENCHMARK(BM_SAXStream)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
