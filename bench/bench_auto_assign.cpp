// Automatic weld assignment on a generated body in white of N fasteners in
// N/5 assembly joints (each joint a group relating its parts, with one joint
// body holding its 5 fasteners), 2,500 parts and A activities below one
// line grouping (arguments N/A):
//   BM_AutoAssignPropose/N/A  starting the command on the line: the joint
//                             table, the proposal over every activity of the
//                             line and the table shown
//   BM_AutoAssignAssign/N/A   OK on the whole proposal: the items added and
//                             the cycle times updated
// Counters: joints, activities, proposed (fasteners in the table),
// document_MB and peak_MB (the process's peak resident size once the
// document is built and at the end: run one case per process to read them
// for that case).
//
// The line holds A/10 stations. Each station works its own zone of the
// parts and receives the zone's first fifth as a manufactured assembly (half
// of it in a sub-assembly); the rest of the zone is plain parts, cut into
// seven slices:
//
//   Station.s
//     Loading (the assembly and every plain part)
//     Grouping: SpotWelding for slices 1 to 3 (the assembly and the slice)
//     Respot SpotWelding (the assembly and every plain part)
//       SpotWelding for slices 4 to 6 (the assembly and the slice)
//
// so that a joint inside a slice goes to the nested activity rather than to
// the respot. Of every ten joints, one joins two parts of the assembly (its
// own, never proposed), one joins two zones (never proposed), two join the
// assembly to a plain part and six join two or three neighbouring plain
// parts. A tenth of the fasteners is assigned already to the zone's respot,
// one in a hundred is held by the plant's repository and one in fifty is a
// sealant, which no spot welding activity takes.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchDocumentSession.h"
#include "QIVDlgMultiList.h"
#include "QIVDocument.h"
#include "QIVIAlias.h"
#include "QIVISPPActivity.h"
#include "QIVISPPChildManagement.h"
#include "QIVISPPItemMgt.h"
#include "ZELEMfgAssemblyFactory.h"
#include "ZELFastenerServices.h"
#include "ZELIBIWActivityFactory.h"
#include "ZELIBIWFPPFactory.h"
#include "ZELIBIWFastener.h"
#include "ZELIBIWFeaturePartRelations.h"
#include "ZELIMfgAssembly.h"
#include "assignment/ZELVekBIWAutoAssignWeldCmd.h"
#include "assignment/ZELVekBIWAutoAssignWeldDlg.h"
#include "frame/ZELVekBIWCommandsModule.h"

namespace {
constexpr int kParts = 2500;
constexpr int kActivitiesPerStation = 10;
constexpr int kFastenersPerJoint = 5;
constexpr int kSlices = 7;
constexpr int kNestedSlices = 3;

using List = QIVListValQIVBaseUnknown_var;

// The parts of one station's zone: the incoming assembly's, then the plain
// ones.
struct Zone {
  std::vector<QIVBaseUnknown_var> assembled;
  std::vector<QIVBaseUnknown_var> plain;
  QIVBaseUnknown_var assembly;
  QIVBaseUnknown_var respot;
  List alreadyAssigned;
};

void Give(const QIVBaseUnknown_var& activity, const QIVBaseUnknown_var& assembly,
          const std::vector<QIVBaseUnknown_var>& plain, std::size_t from, std::size_t to) {
  QIVISPPItemMgt_var items(activity);
  items->AddItem(assembly);
  for (std::size_t p = from; p < to && p < plain.size(); ++p) items->AddItem(plain[p]);
}

struct AutoAssignSession : BenchDocumentSession {
  AutoAssignSession(int fastenerCount, int activityCount)
      : stations(std::max(1, activityCount / kActivitiesPerStation)), joints(fastenerCount / kFastenersPerJoint) {
    zones.resize(static_cast<std::size_t>(stations));
    BuildProducts();
    BuildLine();
    BuildJoints();
    for (Zone& zone : zones) ZELFastenerServices::AssignListOfWelds(&zone.alreadyAssigned, zone.respot, nullptr, 0);
    Open();
  }

  void BuildProducts() {
    QIVBaseUnknown_var body, module, part;
    document->CreateProduct(nullptr, "Body", "PN-BODY", body);
    const int perZone = kParts / stations;
    const int assembledCount = perZone / 5;
    ZELEMfgAssemblyFactory assemblies{QIVBaseUnknown_var(document)};
    int number = 0;
    for (int z = 0; z < stations; ++z) {
      Zone& zone = zones[static_cast<std::size_t>(z)];
      document->CreateProduct(body, "Module." + std::to_string(z + 1), "PN-M" + std::to_string(z + 1), module);
      zone.assembly = assemblies.CreateMfgAssembly();
      const QIVBaseUnknown_var sub = assemblies.CreateMfgAssembly();
      for (int p = 0; p < perZone; ++p) {
        ++number;
        document->CreateProduct(module, "Part." + std::to_string(number), "PN-" + std::to_string(number), part);
        if (p < assembledCount) {
          ZELIMfgAssembly_var(p < assembledCount / 2 ? sub : zone.assembly)->AddPart(part);
          zone.assembled.push_back(part);
        } else {
          zone.plain.push_back(part);
        }
      }
      ZELIMfgAssembly_var(zone.assembly)->AddPart(sub);
    }
  }

  void BuildLine() {
    QIVBaseUnknown_var root;
    document->GetRootActivity(root);
    line = BenchChild(root, "BIWActivityGrouping", "Line");
    for (int z = 0; z < stations; ++z) {
      Zone& zone = zones[static_cast<std::size_t>(z)];
      const std::string s = std::to_string(z + 1);
      const QIVBaseUnknown_var station = BenchChild(line, "BIWActivityStation", "Station." + s);
      QIVISPPActivity_var(station)->SetAttribute("ProductExitRate", 60);
      QIVISPPActivity_var(station)->SetAttribute("SpecifiedPointFasteners", 400);
      Give(BenchChild(station, "BIWActivityLoading", "Loading." + s), zone.assembly, zone.plain, 0, zone.plain.size());
      const QIVBaseUnknown_var grouping = BenchChild(station, "BIWActivityGrouping", "Grouping." + s);
      zone.respot = BenchChild(station, "BIWActivitySpotWelding", "Respot." + s);
      Give(zone.respot, zone.assembly, zone.plain, 0, zone.plain.size());
      const std::size_t width = zone.plain.size() / kSlices;
      for (int slice = 0; slice < kSlices - 1; ++slice) {
        const QIVBaseUnknown_var& father = slice < kSlices - 1 - kNestedSlices ? grouping : zone.respot;
        const QIVBaseUnknown_var welding =
            BenchChild(father, "BIWActivitySpotWelding", "Weld." + s + "." + std::to_string(slice + 1));
        Give(welding, zone.assembly, zone.plain, slice * width, (slice + 1) * width);
      }
    }
  }

  // The parts of joint `j` by its kind (see the header comment).
  List JointParts(int j) const {
    const int z = j % stations;
    const int r = j / stations;
    const Zone& zone = zones[static_cast<std::size_t>(z)];
    const auto& assembled = zone.assembled;
    const auto& plain = zone.plain;
    auto at = [](const std::vector<QIVBaseUnknown_var>& parts, int index) {
      return parts[static_cast<std::size_t>(index) % parts.size()];
    };
    const int spread = r * 13;
    switch (r % 10) {
      case 0:
        return List{at(assembled, spread), at(assembled, spread + 1)};
      case 1:
        return List{at(plain, spread), at(zones[static_cast<std::size_t>((z + 1) % stations)].plain, spread)};
      case 2:
      case 3:
        return List{at(assembled, r), at(plain, spread)};
      case 9:
        return List{at(plain, spread), at(plain, spread + 1), at(plain, spread + 2)};
      default:
        return List{at(plain, spread), at(plain, spread + 1)};
    }
  }

  void BuildJoints() {
    QIVBaseUnknown_var container, top, joint, body, weld;
    document->GetFeatureContainer(container);
    ZELIBIWFPPFactory_var factory(container);
    ZELIBIWFeaturePartRelations_var relations(container);
    factory->GetTopGroup(top);
    char name[32];
    for (int j = 0; j < joints; ++j) {
      factory->CreateGroup(top, joint);
      std::snprintf(name, sizeof name, "Assembly Joint.%d", j + 1);
      QIVIAlias_var(joint)->SetAlias(name);
      relations->SetRelatedParts(joint, JointParts(j), true);
      factory->CreateGroup(joint, body);
      for (int k = 0; k < kFastenersPerJoint; ++k) {
        const int f = j * kFastenersPerJoint + k;
        factory->CreatePointFastener(body, weld);
        std::snprintf(name, sizeof name, "W%06d, A", f + 1);
        QIVIAlias_var(weld)->SetAlias(name);
        ZELIBIWFastener_var(weld)->SetType(f % 50 == 21 ? "sealant" : "spot weld");
        if (f % 10 == 3)
          zones[static_cast<std::size_t>(j % stations)].alreadyAssigned.Append(weld);
        else if (f % 100 == 47)
          ZELIBIWFastener_var(weld)->AddExternalAssignment("Plant/Line 2/Station 40");
      }
    }
  }

  // The command started on the line, its table shown; null when it did not
  // come that far.
  ZELVekBIWAutoAssignWeldCmd* Start() {
    if (FAILED(dispatcher->Deliver(QIVStartEvent("ZELVekBIWAutoAssignWeldCmd", std::nullopt, line.get()))))
      return nullptr;
    auto* command = dynamic_cast<ZELVekBIWAutoAssignWeldCmd*>(dispatcher->GetActiveCommand());
    return command && command->GetDialog() ? command : nullptr;
  }
  static int Proposed(const ZELVekBIWAutoAssignWeldCmd* command) {
    return command ? command->GetDialog()->GetMultiList()->GetRowCount() : 0;
  }
  int AssignedFasteners() const {
    std::unique_ptr<List> activities;
    ZELVekBIWAutoAssignWeldCmd::GetAllChildren(line, activities);
    int count = 0;
    for (const QIVBaseUnknown_var& activity : *activities)
      count += QIVISPPItemMgt_var(activity)->GetItems("PointFastener").Size();
    return count;
  }

  const int stations;
  const int joints;
  std::vector<Zone> zones;
  QIVBaseUnknown_var line;
};

void Report(benchmark::State& state, const AutoAssignSession& session, int proposed, double documentMB) {
  state.counters["joints"] = session.joints;
  state.counters["activities"] = session.stations * kActivitiesPerStation;
  state.counters["proposed"] = proposed;
  state.counters["document_MB"] = documentMB;
  state.counters["peak_MB"] = BenchPeakMB();
}

void BM_AutoAssignPropose(benchmark::State& state) {
  AutoAssignSession session(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const double documentMB = BenchPeakMB();
  int proposed = 0;
  for (auto _ : state) {
    ZELVekBIWAutoAssignWeldCmd* command = session.Start();
    state.PauseTiming();
    proposed = AutoAssignSession::Proposed(command);
    session.dispatcher->CancelAllCommands();
    QIVDelayedDestruction::Flush();
    if (proposed == 0) {
      state.SkipWithError("nothing was proposed");
      break;
    }
    state.ResumeTiming();
  }
  Report(state, session, proposed, documentMB);
}

void BM_AutoAssignAssign(benchmark::State& state) {
  std::unique_ptr<AutoAssignSession> session;
  double documentMB = 0;
  int proposed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    session.reset();
    session = std::make_unique<AutoAssignSession>(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (documentMB == 0) documentMB = BenchPeakMB();
    const int before = session->AssignedFasteners();
    proposed = AutoAssignSession::Proposed(session->Start());
    state.ResumeTiming();
    const HRESULT pressed = session->dispatcher->Deliver(QIVWidgetEvent::PressDialog(QIVNotificationKind::OK, ""));
    state.PauseTiming();
    if (FAILED(pressed) || proposed == 0 || session->AssignedFasteners() != before + proposed) {
      state.SkipWithError("the proposal was not assigned");
      break;
    }
    state.ResumeTiming();
  }
  if (session) Report(state, *session, proposed, documentMB);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  for (int fasteners : {10000, 50000, 100000}) benchmark->Args({fasteners, 500});
  benchmark->Args({100000, 100});
  benchmark->ArgNames({"fasteners", "activities"})->Unit(benchmark::kMillisecond)->Iterations(3);
}

BENCHMARK(BM_AutoAssignPropose)->Apply(Sizes);
BENCHMARK(BM_AutoAssignAssign)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
