// Publishing a whole body's process document to the plant's repository:
// 100,000 spot welds in 1,000 joint bodies, assigned over 20 welding
// activities, on SQLite and on PostgreSQL. The first publication inserts
// every record; the next one updates them, each against its version.
//
// PostgreSQL: the server of BIWPLAN_BENCH_POSTGRES (a URL to a database the
// benchmark may create databases from), else a throw-away server started
// with the tests' script for the run.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVIPLMObject.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "QIVPostgresConnection.h"
#include "QIVSPPActivityType.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELISpotWeld.h"
#include "ZELPLMServices.h"

namespace {

constexpr int Joints = 1000;
constexpr int WeldsPerJoint = 100;
constexpr int Stations = 20;

QIVIDocument_var BuildBody() {
  namespace T = QIVSPPActivityTypes;
  QIVIDocument_var document = QIVDocument::New();
  QIVBaseUnknown_var root, grouping;
  document->GetRootActivity(root);
  QIVISPPChildManagement_var(root)->CreateChild(T::Grouping, grouping);
  std::vector<QIVBaseUnknown_var> welders;
  for (int i = 0; i < Stations; ++i) {
    QIVBaseUnknown_var station, welding;
    QIVISPPChildManagement_var(grouping)->CreateChild(T::Station, station);
    QIVISPPChildManagement_var(station)->CreateChild(T::SpotWelding, welding);
    welders.push_back(welding);
  }
  QIVBaseUnknown_var container, top;
  document->GetFeatureContainer(container);
  ZELIBIWFPPFactory_var factory(container);
  factory->GetTopGroup(top);
  for (int j = 0, number = 0; j < Joints; ++j) {
    QIVBaseUnknown_var joint;
    factory->CreateGroup(top, joint);
    for (int w = 0; w < WeldsPerJoint; ++w, ++number) {
      QIVBaseUnknown_var weld;
      factory->CreatePointFastener(joint, weld);
      QIVIAlias_var(weld)->SetAlias(QIVUnicodeString::Format("W%06d, J%d", number + 1, j + 1));
      ZELIBIWFastener_var(weld)->SetType("spot weld");
      ZELISpotWeld_var(weld)->SetValues({number * 0.37, j * 1.125, 812.0 + w / 3.0, 0, 90.0 / (w + 1), 0, 0, 0, -1});
      QIVISPPItemMgt_var(welders[number % Stations])->AddItem(weld, QIVSPPItemAssigned);
    }
  }
  return document;
}

// A PostgreSQL server for the run: the one named, or a throw-away one.
class BenchServer {
 public:
  BenchServer() {
    if (const char* url = std::getenv("BIWPLAN_BENCH_POSTGRES")) {
      _url = url;
      return;
    }
    _state = (std::filesystem::temp_directory_path() / ("biwplan-bench-pg-" + std::to_string(::getpid()))).string();
    if (std::system((std::string(BIWPLAN_POSTGRES_SCRIPT) + " start " + _state).c_str()) == 0)
      std::getline(std::ifstream(_state) >> std::ws, _url);
  }
  ~BenchServer() {
    if (!_state.empty()) std::system((std::string(BIWPLAN_POSTGRES_SCRIPT) + " stop " + _state).c_str());
  }
  const std::string& Url() const { return _url; }

 private:
  std::string _state;
  std::string _url;
};

// A new empty repository on the engine; its location.
std::string FreshRepository(bool postgres, int serial) {
  const std::string name = "biwplan_bench_" + std::to_string(::getpid()) + "_" + std::to_string(serial);
  if (!postgres) {
    const std::string path = (std::filesystem::temp_directory_path() / (name + ".sqlite")).string();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
    return path;
  }
  static BenchServer server;
  if (server.Url().empty()) return std::string();
  QIVPostgresConnection admin(server.Url());
  admin.RunScript("DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
  admin.RunScript("CREATE DATABASE " + name);
  std::string url = server.Url();
  const std::size_t slash = url.find('/', url.find("://") + 3);
  const std::size_t end = url.find('?', slash);
  return url.replace(slash + 1, (end == std::string::npos ? url.size() : end) - slash - 1, name);
}

void Publish(benchmark::State& state, bool postgres, bool again) {
  static const QIVIDocument_var body = BuildBody();
  static int serial = 0;
  long long rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string location = FreshRepository(postgres, serial++);
    if (location.empty()) {
      state.SkipWithError("no PostgreSQL server");
      break;
    }
    for (const QIVBaseUnknown_var& object : body->GetAllObjects()) QIVIPLMObject_var(object)->SetPLMID("");
    std::unique_ptr<QIVRepository> repository = QIVRepository::Open(QIVRepositoryLocation(location));
    if (again) ZELPLMServices::PublishDocument(QIVBaseUnknown_var(body), *repository);
    state.ResumeTiming();
    QIVPublicationResult result = ZELPLMServices::PublishDocument(QIVBaseUnknown_var(body), *repository);
    // Each fastener is a fastener record, a feature record and two
    // attributes; each assignment a row.
    rows += static_cast<long long>(result.plmIds.size()) * 5;
    state.PauseTiming();
    repository.reset();
    if (!postgres) std::filesystem::remove(location);
    state.ResumeTiming();
  }
  state.counters["fasteners"] = Joints * WeldsPerJoint;
  state.counters["rows_per_second"] = benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
}

void BM_PublishNew_SQLite(benchmark::State& state) { Publish(state, false, false); }
void BM_Republish_SQLite(benchmark::State& state) { Publish(state, false, true); }
void BM_PublishNew_PostgreSQL(benchmark::State& state) { Publish(state, true, false); }
void BM_Republish_PostgreSQL(benchmark::State& state) { Publish(state, true, true); }

}  // namespace

BENCHMARK(BM_PublishNew_SQLite)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_Republish_SQLite)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_PublishNew_PostgreSQL)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
BENCHMARK(BM_Republish_PostgreSQL)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

BENCHMARK_MAIN();
