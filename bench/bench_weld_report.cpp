// The weld accountability report on a generated body of F point fasteners
// on 2,000 parts, with A spot welding activities (arguments F/A) in
// stations of ten: of every ten fasteners, three are assigned to nothing,
// five to one activity and two to two; every twentieth also has one
// assignment in another document of the plant (a K2 assignment, as the
// document recorded it at its last publication).
//   BM_WeldReportOpen/F/A          starting the report: all fasteners read,
//                                  sorted, every row with its activity paths
//   BM_WeldReportFilter/F/A/O      choosing option O on the open report
//                                  (0 all, 1 assigned, 2 not assigned,
//                                  3 multi-assigned)
// Counters: rows (the table's rows after the step), peak_MB.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <string>
#include <vector>

#include "QIVDelayedDestruction.h"
#include "QIVDispatcher.h"
#include "QIVDlgMultiList.h"
#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "frame/ZELVekBIWCommandsModule.h"

namespace {
constexpr int kParts = 2000;
constexpr int kActivitiesPerStation = 10;
constexpr int kFastenersPerJointBody = 50;

QIVBaseUnknown_var Child(const QIVBaseUnknown_var& parent, const char* type, const std::string& name) {
  QIVBaseUnknown_var child;
  QIVISPPChildManagement_var(parent)->CreateChild(type, child);
  QIVISPPActivity_var(child)->SetName(name);
  return child;
}

// How many rows each option lists for `count` fasteners.
int ExpectedRows(int count, int option) {
  int rows = 0;
  for (int f = 0; f < count; ++f) {
    const int local = f % 10 < 3 ? 0 : (f % 10 < 8 ? 1 : 2);
    const int total = local + (f % 20 == 0 ? 1 : 0);
    rows += option == 0 || (option == 1 && total > 0) || (option == 2 && total == 0) ||
            (option == 3 && total > 1);
  }
  return rows;
}

struct ReportSession {
  ReportSession(int fastenerCount, int activityCount) {
    ZELVekBIWCommandsModule::Load();
    document = QIVDocument::New();
    QIVBaseUnknown_var body, part, root;
    document->CreateProduct(nullptr, "Body", "PN-BODY", body);
    std::vector<QIVBaseUnknown_var> parts;
    for (int p = 0; p < kParts; ++p) {
      document->CreateProduct(body, "Part." + std::to_string(p + 1), "PN-" + std::to_string(p + 1), part);
      parts.push_back(part);
    }
    document->GetRootActivity(root);
    const QIVBaseUnknown_var line = Child(root, "BIWActivityGrouping", "Line");
    std::vector<QIVBaseUnknown_var> welding;
    for (int s = 0; s < activityCount / kActivitiesPerStation; ++s) {
      const QIVBaseUnknown_var station =
          Child(line, "BIWActivityStation", "Station." + std::to_string(s + 1));
      for (int a = 0; a < kActivitiesPerStation; ++a)
        welding.push_back(Child(station, "BIWActivitySpotWelding",
                                "Weld." + std::to_string(s + 1) + "." + std::to_string(a + 1)));
    }

    QIVBaseUnknown_var container, top, joint, jointBody, weld;
    document->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    ZELIBIWFeaturePartRelations_var relations(container);
    factory->GetTopGroup(top);
    factory->CreateGroup(top, joint);
    for (int f = 0; f < fastenerCount; ++f) {
      if (f % kFastenersPerJointBody == 0) factory->CreateGroup(joint, jointBody);
      factory->CreatePointFastener(jointBody, weld);
      // Identifiers out of document order, so that the sort has work.
      const int id = (f * 7919) % fastenerCount + 1;
      QIVIAlias_var(weld)->SetAlias("W" + std::to_string(id) + ", A");
      ZELIBIWFastener_var(weld)->SetType("spot weld");
      relations->SetRelatedParts(
          weld, QIVListValQIVBaseUnknown_var{parts[static_cast<std::size_t>(f) % parts.size()]}, true);
      const int assignments = f % 10 < 3 ? 0 : (f % 10 < 8 ? 1 : 2);
      for (int k = 0; k < assignments; ++k)
        QIVISPPItemMgt_var(welding[static_cast<std::size_t>(f * 7 + k * 13) % welding.size()])->AddItem(weld);
      if (f % 20 == 0) ZELIBIWFastener_var(weld)->AddExternalAssignment("Process/Framing/Station 40/Respot");
    }
    dispatcher = std::make_unique<QIVDispatcher>();
    dispatcher->OpenDocument(QIVBaseUnknown_var(document));
  }
  ~ReportSession() {
    dispatcher->CloseDocument();
    dispatcher.reset();
    document->Close();
    QIVDelayedDestruction::Flush();
  }

  int Rows() const {
    const auto* list = dynamic_cast<const QIVDlgMultiList*>(dispatcher->FindWidget("WeldActMultiListId"));
    return list ? list->GetRowCount() : 0;
  }

  QIVIDocument_var document;
  std::unique_ptr<QIVDispatcher> dispatcher;
};

double PeakMB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_WeldReportOpen(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  ReportSession session(count, static_cast<int>(state.range(1)));
  int rows = 0;
  for (auto _ : state) {
    session.dispatcher->Deliver(QIVStartEvent("ZELVekBIWWeldAccountabilityCmd"));
    state.PauseTiming();
    rows = session.Rows();
    session.dispatcher->CancelAllCommands();
    QIVDelayedDestruction::Flush();
    if (rows != count) {
      state.SkipWithError("the report does not list every fastener");
      break;
    }
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["peak_MB"] = PeakMB();
}

void BM_WeldReportFilter(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const int option = static_cast<int>(state.range(2));
  ReportSession session(count, static_cast<int>(state.range(1)));
  session.dispatcher->Deliver(QIVStartEvent("ZELVekBIWWeldAccountabilityCmd"));
  int rows = 0;
  for (auto _ : state) {
    session.dispatcher->Deliver(QIVWidgetEvent::Choose("OptionComboId", option));
    state.PauseTiming();
    rows = session.Rows();
    if (rows != ExpectedRows(count, option)) {
      state.SkipWithError("the report lists other rows than the option keeps");
      break;
    }
    state.ResumeTiming();
  }
  state.counters["rows"] = rows;
  state.counters["peak_MB"] = PeakMB();
}

BENCHMARK(BM_WeldReportOpen)
    ->Args({100000, 500})
    ->ArgNames({"fasteners", "activities"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_WeldReportFilter)
    ->ArgsProduct({{100000}, {500}, {0, 1, 2, 3}})
    ->ArgNames({"fasteners", "activities", "option"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
