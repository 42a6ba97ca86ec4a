#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "BiwplanCli.h"
#include "BiwplanSaving.h"
#include "BiwplanTable.h"
#include "BiwplanVerbs.h"
#include "QIVISPPActivity.h"
#include "QIVSharedLibrary.h"
#include "balancing/ZELVekBIWLineBalance.h"
#include "balancing/ZELVekBIWLineBalancer.h"

namespace {

using Json = nlohmann::ordered_json;
using Balancer = ZELVekBIWLineBalancer;

struct BalanceRequest {
  std::string document;
  std::string line;
  std::string fasteners = "all";
  std::vector<std::string> locked;
  double timeLimit = 30.0;
  std::string format = "table";
  BiwplanSaving saving;
};

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  return text;
}

std::size_t Slowest(const std::vector<double>& seconds) {
  std::size_t slowest = 0;
  for (std::size_t s = 1; s < seconds.size(); ++s)
    if (seconds[s] > seconds[slowest]) slowest = s;
  return slowest;
}

const char* ProofName(Balancer::Proof proof) {
  switch (proof) {
    case Balancer::Proof::Optimal: return "optimal";
    case Balancer::Proof::TimeLimit: return "time limit";
    case Balancer::Proof::Heuristic: return "heuristic";
  }
  return "";
}

// What the balance chose, with the handles to name it.
struct Report {
  const ZELVekBIWLineBalance& line;
  const Balancer::Result& result;
  QIVIDocument_var document;

  std::string ActivityPath(int activity) const {
    return activity < 0 ? std::string() : BiwplanActivityPath(document, line.Activities()[activity + 1]);
  }

  void PrintTable() const {
    const ZELVekBIWBalanceProblem& problem = line.Problem();
    BiwplanTable stations({"Station", "Before", "After"});
    for (std::size_t s = 0; s < problem.stations.size(); ++s)
      stations.AddRow({problem.stations[s].name, Seconds(result.stationBefore[s]), Seconds(result.stationAfter[s])});
    stations.Print(std::cout, BiwplanTable::Text);
    std::cout << "bottleneck: " << Seconds(result.bottleneckBefore) << " s ("
              << problem.stations[Slowest(result.stationBefore)].name << ") -> " << Seconds(result.bottleneckAfter)
              << " s (" << problem.stations[Slowest(result.stationAfter)].name << ")\n";
    std::cout << "bound: " << Seconds(result.bound) << " s, gap " << Seconds(100.0 * result.gap) << " % ("
              << ProofName(result.proof) << "); greedy: " << Seconds(result.greedyBottleneck) << " s\n";
    std::cout << "moves: " << result.moves << '\n';
    if (result.moves > 0) {
      BiwplanTable moves({"Fastener", "From", "To"});
      for (std::size_t f = 0; f < problem.fasteners.size(); ++f) {
        const int from = problem.fasteners[f].current;
        if (result.activityOf[f] == from) continue;
        moves.AddRow({problem.fasteners[f].name, from < 0 ? "(unassigned)" : problem.activities[from].name,
                      problem.activities[result.activityOf[f]].name});
      }
      moves.Print(std::cout, BiwplanTable::Text);
    }
    if (line.Unreachable().Size() > 0) {
      std::cout << "unreachable: " << line.Unreachable().Size() << '\n';
      for (const QIVBaseUnknown_var& fastener : line.Unreachable()) std::cout << "  " << BiwplanFeatureName(fastener) << '\n';
    }
  }

  void PrintJson() const {
    const ZELVekBIWBalanceProblem& problem = line.Problem();
    Json stations = Json::array();
    for (std::size_t s = 0; s < problem.stations.size(); ++s)
      stations.push_back({{"station", BiwplanActivityPath(document, line.Stations()[static_cast<int>(s) + 1])},
                          {"before", result.stationBefore[s]},
                          {"after", result.stationAfter[s]}});
    Json moves = Json::array();
    for (std::size_t f = 0; f < problem.fasteners.size(); ++f) {
      const int from = problem.fasteners[f].current;
      if (result.activityOf[f] == from) continue;
      moves.push_back({{"fastener", problem.fasteners[f].name},
                       {"from", from < 0 ? Json() : Json(ActivityPath(from))},
                       {"to", ActivityPath(result.activityOf[f])}});
    }
    Json unreachable = Json::array();
    for (const QIVBaseUnknown_var& fastener : line.Unreachable()) unreachable.push_back(BiwplanFeatureName(fastener));
    const Json report = {{"version", 1},
                         {"kind", "balance"},
                         {"stations", stations},
                         {"bottleneckBefore", result.bottleneckBefore},
                         {"bottleneckAfter", result.bottleneckAfter},
                         {"greedy", result.greedyBottleneck},
                         {"bound", result.bound},
                         {"gap", result.gap},
                         {"proof", ProofName(result.proof)},
                         {"moves", moves},
                         {"unreachable", unreachable}};
    std::cout << report.dump(2) << '\n';
  }
};

int Balance(const BalanceRequest& request) {
  BiwplanSession session;
  if (!request.saving.Open(session, request.document)) return BiwplanExit::Failed;
  const QIVBaseUnknown_var lineActivity = BiwplanFindNamed(session, request.line, JournalObjectRef::Process);
  if (!lineActivity) return BiwplanExit::Failed;
  if (!QIVISPPActivity_var(lineActivity)) return BiwplanFail(request.line + " is not an activity");
  QIVListValQIVBaseUnknown_var locked;
  for (const std::string& word : request.locked) {
    const QIVBaseUnknown_var fastener = BiwplanFindNamed(session, word, JournalObjectRef::Fastener);
    if (!fastener) return BiwplanExit::Failed;
    locked.Append(fastener);
  }

  const ZELVekBIWLineBalance line(lineActivity,
                                  request.fasteners == "unassigned" ? ZELVekBIWLineBalance::Scope::Unassigned
                                                                    : ZELVekBIWLineBalance::Scope::All,
                                  locked);
  if (line.Problem().activities.empty())
    return BiwplanReport(BiwplanExit::NothingToDo, "no fastening activity under " + request.line);
  Balancer::Result result;
  try {
    result = Balancer::Balance(line.Problem(), {request.timeLimit, true});
  } catch (const QIVSharedLibrary::Error& error) {
    return BiwplanFail(error.what());
  }
  const Report report{line, result, session.Document()};
  if (request.format == "json")
    report.PrintJson();
  else
    report.PrintTable();
  if (result.moves == 0) return BiwplanExit::NothingToDo;
  if (FAILED(line.Apply(result.activityOf)))
    return BiwplanFail("the assignment services refused a move; the document was not saved");
  return request.saving.Finish(session, BiwplanExit::Ok);
}

}  // namespace

void AddBalanceVerbs(CLI::App& app, int& status) {
  auto* verb = app.add_subcommand(
      "balance", "Distribute the fasteners of a line over its fastening activities to make its slowest station faster");
  auto request = std::make_shared<BalanceRequest>();
  verb->add_option("DOC", request->document, "Document file")->required();
  verb->add_option("LINE", request->line, "The line, grouping or station, e.g. process:\"Process/UnderBody Line\"")
      ->required();
  verb->add_option("--fasteners", request->fasteners, "all (default) or unassigned: which fasteners may move")
      ->check(CLI::IsMember({"all", "unassigned"}));
  verb->add_option("--lock", request->locked, "Fasteners (names or references) that stay where they are")
      ->expected(1, -1);
  verb->add_option("--time-limit", request->timeLimit, "Seconds the solver may take (default 30)")
      ->check(CLI::PositiveNumber);
  verb->add_option("--format", request->format, "table or json")->check(CLI::IsMember({"table", "json"}));
  request->saving.AddOptions(*verb);
  verb->callback([&status, request] { status = Balance(*request); });
}
