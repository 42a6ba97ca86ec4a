// Weld import speed and memory on generated bodies of 5,000 parts:
//   BM_WeldImport/N     the whole import of N welds into a fresh document
//   BM_WeldFileLines/N  only reading the same file's lines as the import
//                       reads them (comments and blanks skipped)
//   BM_WeldFileGetline/N the floor: std::getline over the same file
//   BM_WeldImportLyingCounts  files that announce 2^31-1 welds or 10^9 parts
//                       and end after a few lines: the reader must stop at
//                       the end of the file, not count on
// Counters: welds per second, the resident memory the imported document
// added (MB), and the process's peak resident memory (MB; run one size at a
// time with --benchmark_filter for the peak of that size alone).

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "QIVDispatcher.h"
#include "QIVDocument.h"
#include "QIVFile.h"
#include "QIVLineReader.h"
#include "WeldFileGenerator.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFeatureGroup.h"
#include "import/ZELVekBIWReadWeldFromFileCmd.h"

namespace {
constexpr int kPartCount = 5000;

const std::string& WeldFilePath(int weldCount) {
  static std::map<int, std::string> paths;
  auto [entry, isNew] = paths.try_emplace(weldCount);
  if (isNew) {
    entry->second = (std::filesystem::temp_directory_path() /
                     ("bench_welds_" + std::to_string(::getpid()) + "_" + std::to_string(weldCount) + ".txt"))
                        .string();
    WeldFileGenerator{weldCount, kPartCount}.WriteWeldFile(entry->second);
  }
  return entry->second;
}

double ResidentMegabytes() {
  long pages = 0, resident = 0;
  if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double PeakResidentMegabytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

int FastenerCount(const QIVIDocument_var& document) {
  QIVBaseUnknown_var container, top;
  document->GetFeatureContainer(container);
  ZELIBIWFPPFactory_var(container)->GetTopGroup(top);
  QIVListValQIVBaseUnknown_var fasteners;
  ZELIBIWFeatureGroup_var(top)->GetFasteners(fasteners, true);
  return fasteners.Size();
}

void BM_WeldImport(benchmark::State& state) {
  const int weldCount = static_cast<int>(state.range(0));
  const std::string& path = WeldFilePath(weldCount);
  QIVDispatcher session;
  double added = 0.0;
  for (auto _ : state) {
    state.PauseTiming();
    QIVIDocument_var document = QIVDocument::New();
    WeldFileGenerator{weldCount, kPartCount}.BuildProducts(document);
    session.OpenDocument(document);
    QIVVar<ZELVekBIWReadWeldFromFileCmd> command = QIVMake<ZELVekBIWReadWeldFromFileCmd>();
    const double before = ResidentMegabytes();
    state.ResumeTiming();

    command->ReadWeldFromFile(path);

    state.PauseTiming();
    added = ResidentMegabytes() - before;
    if (FastenerCount(document) != weldCount) state.SkipWithError("not every weld was imported");
    command = nullptr;
    session.CloseDocument();
    document = nullptr;
    state.ResumeTiming();
  }
  state.counters["welds/s"] = benchmark::Counter(static_cast<double>(weldCount) * state.iterations(),
                                                 benchmark::Counter::kIsRate);
  state.counters["added_MB"] = added;
  state.counters["peak_MB"] = PeakResidentMegabytes();
}

void BM_WeldFileLines(benchmark::State& state) {
  const int weldCount = static_cast<int>(state.range(0));
  const std::string& path = WeldFilePath(weldCount);
  QIVVar<ZELVekBIWReadWeldFromFileCmd> command = QIVMake<ZELVekBIWReadWeldFromFileCmd>();
  for (auto _ : state) {
    QIVFile opened;
    QIVFOpen(path, "r", opened);
    QIVLineReader file(opened);
    long lines = 0;
    while (!file.AtEnd()) {
      benchmark::DoNotOptimize(command->NextLineView(file));
      ++lines;
    }
    QIVFClose(opened);
    benchmark::DoNotOptimize(lines);
  }
  state.counters["welds/s"] = benchmark::Counter(static_cast<double>(weldCount) * state.iterations(),
                                                 benchmark::Counter::kIsRate);
}

void BM_WeldImportLyingCounts(benchmark::State& state) {
  const std::string header = "TOVASK Welds Spot Generation\n3.0\nUnit mm\nEndGlobalData\n";
  const std::string files[] = {
      header + "2147483647\nWeld\n1\nW1\npoint\n1000000000\nBody.1\\Floor.1\n",
      header + "1\nWeld\n1\nW2\npoint\n2\nBody.1\\Floor.1\nS\nM\n1\nBody.1\\Floor.1\\Tunnel.1\nS\nM\n1\nJB\n"};
  std::vector<std::string> paths;
  for (const std::string& text : files) {
    paths.push_back((std::filesystem::temp_directory_path() /
                     ("bench_lying_" + std::to_string(::getpid()) + "_" + std::to_string(paths.size()) + ".txt"))
                        .string());
    std::ofstream(paths.back(), std::ios::binary) << text;
  }
  QIVDispatcher session;
  QIVIDocument_var document = QIVDocument::New();
  WeldFileGenerator{10, 10}.BuildProducts(document);
  session.OpenDocument(document);
  for (auto _ : state) {
    for (const std::string& path : paths) {
      QIVVar<ZELVekBIWReadWeldFromFileCmd> command = QIVMake<ZELVekBIWReadWeldFromFileCmd>();
      command->ReadWeldFromFile(path);
    }
  }
  session.CloseDocument();
  for (const std::string& path : paths) std::filesystem::remove(path);
}

void BM_WeldFileGetline(benchmark::State& state) {
  const std::string& path = WeldFilePath(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    long lines = 0;
    while (std::getline(in, line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
}

void WeldCounts(benchmark::internal::Benchmark* benchmark) {
  for (int welds : {1000, 10000, 50000, 100000}) benchmark->Arg(welds);
  benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_WeldImport)->Apply(WeldCounts);
BENCHMARK(BM_WeldFileLines)->Apply(WeldCounts);
BENCHMARK(BM_WeldImportLyingCounts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WeldFileGetline)->Apply(WeldCounts);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (int welds : {1000, 10000, 50000, 100000}) std::filesystem::remove(WeldFilePath(welds));
  return 0;
}
