// Line balancing on generated body-shop lines: each station has a loading
// step and two spot welding activities of their own rate; a weld may be made
// at the station where its parts first meet or at any of the next few, as
// respot welds are. The welds start where automatic assignment puts them
// (the first activity that can take them). Counters: the slowest station
// (seconds) as automatic assignment, the greedy pass and the balance leave
// it, the solver's lower bound, the gap, the moves. The third argument 1
// gives the activities rates that are a station's takt shared among its
// specified welds (60 s / 27 welds...), which no tenth or thousandth of a
// second divides, so the model is solved in real numbers.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "balancing/ZELVekBIWLineBalancer.h"

namespace {

using Problem = ZELVekBIWBalanceProblem;

Problem GeneratedLine(int welds, int activities, bool taktShares, unsigned seed) {
  std::mt19937 random(seed);
  Problem problem;
  const int stations = activities / 2;
  for (int s = 0; s < stations; ++s) problem.stations.push_back({"Station", 4.0 + random() % 5});
  for (int a = 0; a < activities; ++a)
    problem.activities.push_back({"Welding", a / 2});
  std::vector<double> rate;
  for (int a = 0; a < activities; ++a)
    rate.push_back(taktShares ? 60.0 / static_cast<double>(24 + random() % 16) : 1.5 + 0.1 * (random() % 11));
  // Parts meet early more often than late, as a body grows along its line.
  std::geometric_distribution<int> meet(3.0 / stations);
  for (int w = 0; w < welds; ++w) {
    const int first = std::min(meet(random), stations - 1);
    const int last = std::min(first + static_cast<int>(random() % 4), stations - 1);
    Problem::Fastener fastener{"W" + std::to_string(w), -1, 0.0, {}};
    for (int s = first; s <= last; ++s)
      for (int a = 2 * s; a < 2 * s + 2; ++a) fastener.options.push_back({a, rate[static_cast<std::size_t>(a)]});
    fastener.current = fastener.options.front().activity;
    fastener.currentSeconds = fastener.options.front().seconds;
    problem.fasteners.push_back(std::move(fastener));
  }
  return problem;
}

void BM_BalanceLine(benchmark::State& state) {
  const Problem problem =
      GeneratedLine(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2) != 0, 7);
  ZELVekBIWLineBalancer::Result result;
  for (auto _ : state) result = ZELVekBIWLineBalancer::Balance(problem, {60.0, true});
  state.counters["automatic_s"] = result.bottleneckBefore;
  state.counters["greedy_s"] = result.greedyBottleneck;
  state.counters["balanced_s"] = result.bottleneckAfter;
  state.counters["bound_s"] = result.bound;
  state.counters["gap_pct"] = 100.0 * result.gap;
  state.counters["moves"] = result.moves;
  state.counters["optimal"] = result.proof == ZELVekBIWLineBalancer::Proof::Optimal;
}
BENCHMARK(BM_BalanceLine)
    ->Args({700, 40, 0})
    ->Args({4000, 60, 0})
    ->Args({700, 40, 1})
    ->Args({4000, 60, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
