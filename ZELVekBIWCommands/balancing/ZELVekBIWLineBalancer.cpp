#include "ZELVekBIWLineBalancer.h"

#include <Cbc_C_Interface.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <numeric>
#include <string>
#include <utility>

#include "QIVSharedLibrary.h"

namespace {

using Problem = ZELVekBIWBalanceProblem;
using Option = Problem::Option;

// Seconds compare within a tolerance relative to the line's scale.
constexpr double kRelativeTolerance = 1e-9;

double Peak(const std::vector<double>& loads) {
  return loads.empty() ? 0.0 : *std::max_element(loads.begin(), loads.end());
}

const Option* OptionAt(const Problem::Fastener& fastener, int activity) {
  for (const Option& option : fastener.options)
    if (option.activity == activity) return &option;
  return nullptr;
}

int Moves(const Problem& problem, const std::vector<int>& activityOf) {
  int moves = 0;
  for (std::size_t f = 0; f < activityOf.size(); ++f) moves += activityOf[f] != problem.fasteners[f].current;
  return moves;
}

// Station times kept up to date while fasteners move, with each station's
// fasteners at hand for the moves off the bottleneck.
class Placement {
 public:
  Placement(const Problem& problem, std::vector<int> activityOf)
      : _problem(problem), _activityOf(std::move(activityOf)), _members(problem.stations.size()),
        _position(_activityOf.size(), -1) {
    for (const Problem::Station& station : problem.stations) _loads.push_back(station.fixedSeconds);
    for (std::size_t f = 0; f < _activityOf.size(); ++f)
      if (_activityOf[f] >= 0) Enter(static_cast<int>(f));
    _tolerance = kRelativeTolerance * std::max(1.0, Peak(_loads));
  }

  // Single moves off the slowest station while one makes it faster without
  // making another as slow; among them the move that gains most, a move
  // back to where the fastener is now first.
  void Improve() {
    const std::size_t limit = 10 * _activityOf.size() + 100;
    for (std::size_t step = 0; step < limit; ++step) {
      const int peakStation = static_cast<int>(std::max_element(_loads.begin(), _loads.end()) - _loads.begin());
      const double peak = _loads[static_cast<std::size_t>(peakStation)];
      int bestFastener = -1;
      int bestActivity = -1;
      double bestAfter = peak;
      for (int f : _members[static_cast<std::size_t>(peakStation)]) {
        const Problem::Fastener& fastener = _problem.fasteners[static_cast<std::size_t>(f)];
        const double here = OptionAt(fastener, _activityOf[static_cast<std::size_t>(f)])->seconds;
        for (const Option& option : fastener.options) {
          if (option.activity == _activityOf[static_cast<std::size_t>(f)]) continue;
          const int station = StationOf(option.activity);
          const double after = station == peakStation
                                   ? peak - here + option.seconds
                                   : std::max(peak - here, _loads[static_cast<std::size_t>(station)] + option.seconds);
          if (after >= peak - _tolerance) continue;
          const bool better = after < bestAfter - _tolerance ||
                              (after <= bestAfter + _tolerance && option.activity == fastener.current);
          if (!better) continue;
          bestAfter = std::min(after, bestAfter);
          bestFastener = f;
          bestActivity = option.activity;
        }
      }
      if (bestFastener < 0) return;
      Move(bestFastener, bestActivity);
    }
  }

  // Puts fasteners back where they are now wherever that keeps the
  // slowest station as it is.
  void ReturnHome() {
    const double peak = Peak(_loads);
    for (std::size_t f = 0; f < _activityOf.size(); ++f) {
      const Problem::Fastener& fastener = _problem.fasteners[f];
      const Option* home = OptionAt(fastener, fastener.current);
      if (_activityOf[f] == fastener.current || !home) continue;
      const int from = StationOf(_activityOf[f]);
      const int to = StationOf(fastener.current);
      const double leaving = OptionAt(fastener, _activityOf[f])->seconds;
      const double after = _loads[static_cast<std::size_t>(to)] + home->seconds - (from == to ? leaving : 0.0);
      if (after <= peak + _tolerance) Move(static_cast<int>(f), fastener.current);
    }
  }

  void Place(int fastener, int activity) {
    _activityOf[static_cast<std::size_t>(fastener)] = activity;
    Enter(fastener);
  }

  double LoadWith(const Option& option) const {
    return _loads[static_cast<std::size_t>(StationOf(option.activity))] + option.seconds;
  }
  double Tolerance() const { return _tolerance; }
  const std::vector<int>& ActivityOf() const { return _activityOf; }

 private:
  int StationOf(int activity) const { return _problem.activities[static_cast<std::size_t>(activity)].station; }

  void Enter(int f) {
    const Problem::Fastener& fastener = _problem.fasteners[static_cast<std::size_t>(f)];
    const int activity = _activityOf[static_cast<std::size_t>(f)];
    std::vector<int>& members = _members[static_cast<std::size_t>(StationOf(activity))];
    _position[static_cast<std::size_t>(f)] = static_cast<int>(members.size());
    members.push_back(f);
    if (const Option* option = OptionAt(fastener, activity))
      _loads[static_cast<std::size_t>(StationOf(activity))] += option->seconds;
  }

  void Leave(int f) {
    const Problem::Fastener& fastener = _problem.fasteners[static_cast<std::size_t>(f)];
    const int activity = _activityOf[static_cast<std::size_t>(f)];
    std::vector<int>& members = _members[static_cast<std::size_t>(StationOf(activity))];
    const int position = _position[static_cast<std::size_t>(f)];
    members[static_cast<std::size_t>(position)] = members.back();
    _position[static_cast<std::size_t>(members.back())] = position;
    members.pop_back();
    _loads[static_cast<std::size_t>(StationOf(activity))] -= OptionAt(fastener, activity)->seconds;
  }

  void Move(int f, int activity) {
    Leave(f);
    Place(f, activity);
  }

  const Problem& _problem;
  std::vector<int> _activityOf;
  std::vector<double> _loads;
  std::vector<std::vector<int>> _members;
  std::vector<int> _position;
  double _tolerance = kRelativeTolerance;
};

// Fasteners with the same options at the same seconds, interchangeable.
struct FastenerClass {
  std::vector<Option> options;
  std::vector<int> members;
};

std::vector<FastenerClass> ClassesOf(const Problem& problem) {
  std::map<std::vector<std::pair<int, double>>, std::size_t> index;
  std::vector<FastenerClass> classes;
  for (std::size_t f = 0; f < problem.fasteners.size(); ++f) {
    std::vector<std::pair<int, double>> key;
    for (const Option& option : problem.fasteners[f].options) key.emplace_back(option.activity, option.seconds);
    const auto [found, added] = index.emplace(std::move(key), classes.size());
    if (added) classes.push_back({problem.fasteners[f].options, {}});
    classes[found->second].members.push_back(static_cast<int>(f));
  }
  return classes;
}

// How many fasteners of each class go to each of its options, in column
// order (one column an option of a class).
std::vector<double> CountsOf(const std::vector<FastenerClass>& classes, const std::vector<int>& activityOf) {
  std::vector<double> counts;
  for (const FastenerClass& group : classes) {
    for (const Option& option : group.options)
      counts.push_back(static_cast<double>(std::count_if(group.members.begin(), group.members.end(), [&](int f) {
        return activityOf[static_cast<std::size_t>(f)] == option.activity;
      })));
  }
  return counts;
}

// Places each class's fasteners by the counts, those already on an
// activity staying there while its count lasts.
std::vector<int> PlaceByCounts(const Problem& problem, const std::vector<FastenerClass>& classes, const double* counts) {
  std::vector<int> activityOf(problem.fasteners.size(), -1);
  std::size_t column = 0;
  for (const FastenerClass& group : classes) {
    std::vector<long> left;
    for (std::size_t k = 0; k < group.options.size(); ++k) left.push_back(std::lround(counts[column + k]));
    for (int f : group.members) {
      for (std::size_t k = 0; k < group.options.size(); ++k) {
        if (left[k] <= 0 || group.options[k].activity != problem.fasteners[static_cast<std::size_t>(f)].current) continue;
        activityOf[static_cast<std::size_t>(f)] = group.options[k].activity;
        --left[k];
        break;
      }
    }
    for (int f : group.members) {
      if (activityOf[static_cast<std::size_t>(f)] >= 0) continue;
      std::size_t k = 0;
      while (k + 1 < group.options.size() && left[k] <= 0) ++k;
      activityOf[static_cast<std::size_t>(f)] = group.options[k].activity;
      --left[k];
    }
    column += group.options.size();
  }
  return activityOf;
}

// CBC's functions, bound when a line is first balanced exactly; the solver
// stays loaded for the rest of the run. Runs that balance nothing do not
// map it, nor its linear algebra libraries.
#define CBC_FUNCTION(name) decltype(&::name) name = library.Function<decltype(&::name)>(#name)
struct Cbc {
  QIVSharedLibrary library{"libCbcSolver.so.3"};
  CBC_FUNCTION(Cbc_newModel);
  CBC_FUNCTION(Cbc_deleteModel);
  CBC_FUNCTION(Cbc_setLogLevel);
  CBC_FUNCTION(Cbc_setParameter);
  CBC_FUNCTION(Cbc_addCol);
  CBC_FUNCTION(Cbc_addRow);
  CBC_FUNCTION(Cbc_setObjCoeff);
  CBC_FUNCTION(Cbc_getNumCols);
  CBC_FUNCTION(Cbc_setMIPStartI);
  CBC_FUNCTION(Cbc_setMaximumSeconds);
  CBC_FUNCTION(Cbc_setAllowableFractionGap);
  CBC_FUNCTION(Cbc_solve);
  CBC_FUNCTION(Cbc_isProvenOptimal);
  CBC_FUNCTION(Cbc_numberSavedSolutions);
  CBC_FUNCTION(Cbc_bestSolution);
  CBC_FUNCTION(Cbc_getBestPossibleObjValue);
};
#undef CBC_FUNCTION

// Throws QIVSharedLibrary::Error when the solver cannot be loaded; the next
// balancing tries again.
const Cbc& Solver() {
  static const Cbc cbc;
  return cbc;
}

using CbcModel = std::unique_ptr<Cbc_Model, decltype(&::Cbc_deleteModel)>;

// The unit the line's seconds are whole numbers of (a second, a tenth, a
// hundredth or a thousandth), or 0 when they are not: counted in it, the
// slowest station's time is a whole number too, so the solver can round
// its bound up and prove an answer optimal long before a bound in real
// numbers would close on it.
double QuantumOf(const Problem& problem) {
  for (double quantum : {1.0, 0.1, 0.01, 0.001}) {
    auto whole = [quantum](double seconds) {
      const double units = seconds / quantum;
      return std::abs(units - std::round(units)) <= 1e-9 * std::max(1.0, std::abs(units));
    };
    bool every = true;
    for (const Problem::Station& station : problem.stations) every = every && whole(station.fixedSeconds);
    for (const Problem::Fastener& fastener : problem.fasteners)
      for (const Option& option : fastener.options) every = every && whole(option.seconds);
    if (every) return quantum;
  }
  return 0.0;
}

// The counting model: column 0 is the slowest station's time C (in the
// line's quantum when it has one, else in seconds), then one integer column
// an option of a class. Each class places all its fasteners; each
// station's fixed seconds plus its share stays within C.
CbcModel CountingModel(const Cbc& cbc, const Problem& problem, const std::vector<FastenerClass>& classes,
                       double quantum, double upperPeak) {
  const double unit = quantum > 0.0 ? quantum : 1.0;
  CbcModel model(cbc.Cbc_newModel(), cbc.Cbc_deleteModel);
  cbc.Cbc_setLogLevel(model.get(), 0);
  cbc.Cbc_setParameter(model.get(), "timeMode", "elapsed");
  cbc.Cbc_addCol(model.get(), "C", 0.0, upperPeak / unit, 1.0, quantum > 0.0, 0, nullptr, nullptr);
  std::vector<std::vector<int>> stationColumns(problem.stations.size());
  std::vector<std::vector<double>> stationSeconds(problem.stations.size());
  int column = 1;
  for (std::size_t c = 0; c < classes.size(); ++c) {
    const FastenerClass& group = classes[c];
    std::vector<int> columns;
    for (std::size_t k = 0; k < group.options.size(); ++k, ++column) {
      std::string name = "y";
      name += std::to_string(c) + "_" + std::to_string(k);
      cbc.Cbc_addCol(model.get(), name.c_str(), 0.0, static_cast<double>(group.members.size()), 0.0, 1, 0,
                     nullptr, nullptr);
      columns.push_back(column);
      const std::size_t station =
          static_cast<std::size_t>(problem.activities[static_cast<std::size_t>(group.options[k].activity)].station);
      stationColumns[station].push_back(column);
      stationSeconds[station].push_back(group.options[k].seconds / unit);
    }
    const std::vector<double> ones(columns.size(), 1.0);
    cbc.Cbc_addRow(model.get(), "", static_cast<int>(columns.size()), columns.data(), ones.data(), 'E',
                   static_cast<double>(group.members.size()));
  }
  for (std::size_t s = 0; s < problem.stations.size(); ++s) {
    stationColumns[s].push_back(0);
    stationSeconds[s].push_back(-1.0);
    cbc.Cbc_addRow(model.get(), "", static_cast<int>(stationColumns[s].size()), stationColumns[s].data(),
                   stationSeconds[s].data(), 'L', -problem.stations[s].fixedSeconds / unit);
  }
  return model;
}

void StartFrom(const Cbc& cbc, Cbc_Model* model, const std::vector<double>& counts, int firstColumn) {
  std::vector<int> columns(counts.size());
  std::iota(columns.begin(), columns.end(), firstColumn);
  cbc.Cbc_setMIPStartI(model, static_cast<int>(counts.size()), columns.data(), counts.data());
}

const double* SolutionOf(const Cbc& cbc, Cbc_Model* model) {
  return cbc.Cbc_numberSavedSolutions(model) > 0 || cbc.Cbc_isProvenOptimal(model)
             ? cbc.Cbc_bestSolution(model)
             : nullptr;
}

using Clock = std::chrono::steady_clock;

double SecondsLeft(Clock::time_point deadline) {
  return std::max(0.0, std::chrono::duration<double>(deadline - Clock::now()).count());
}

}  // namespace

std::vector<int> ZELVekBIWLineBalancer::Greedy(const Problem& problem) {
  std::vector<int> order(problem.fasteners.size());
  std::iota(order.begin(), order.end(), 0);
  auto cheapest = [&](int f) {
    double least = problem.fasteners[static_cast<std::size_t>(f)].options.front().seconds;
    for (const Option& option : problem.fasteners[static_cast<std::size_t>(f)].options)
      least = std::min(least, option.seconds);
    return least;
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return cheapest(a) > cheapest(b); });

  Placement placement(problem, std::vector<int>(problem.fasteners.size(), -1));
  for (int f : order) {
    const Problem::Fastener& fastener = problem.fasteners[static_cast<std::size_t>(f)];
    const Option* best = &fastener.options.front();
    for (const Option& option : fastener.options) {
      const double load = placement.LoadWith(option);
      const double bestLoad = placement.LoadWith(*best);
      if (load < bestLoad - placement.Tolerance() ||
          (load < bestLoad + placement.Tolerance() && option.activity == fastener.current))
        best = &option;
    }
    placement.Place(f, best->activity);
  }
  placement.Improve();
  placement.ReturnHome();
  return placement.ActivityOf();
}

ZELVekBIWLineBalancer::Result ZELVekBIWLineBalancer::Balance(const Problem& problem, const Options& options) {
  const Clock::time_point deadline =
      Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options.timeLimitSeconds));
  Result result;
  const std::vector<int> current = problem.CurrentActivities();
  result.stationBefore = problem.StationSeconds(current);
  result.bottleneckBefore = Peak(result.stationBefore);

  result.activityOf = Greedy(problem);
  result.greedyBottleneck = Peak(problem.StationSeconds(result.activityOf));
  double best = result.greedyBottleneck;
  const double tolerance = kRelativeTolerance * std::max(1.0, best);
  // Without the model: no station can be faster than what stays on it.
  result.bound = 0.0;
  for (const Problem::Station& station : problem.stations) result.bound = std::max(result.bound, station.fixedSeconds);

  // Nothing to place is its own best answer.
  bool exactBound = problem.fasteners.empty();
  if (exactBound) result.proof = Proof::Optimal;
  if (options.exact && !problem.fasteners.empty()) {
    const Cbc& cbc = Solver();
    const std::vector<FastenerClass> classes = ClassesOf(problem);
    const double quantum = QuantumOf(problem);
    const double unit = quantum > 0.0 ? quantum : 1.0;
    CbcModel fastest = CountingModel(cbc, problem, classes, quantum, best + tolerance);
    std::vector<double> start = CountsOf(classes, result.activityOf);
    start.insert(start.begin(), quantum > 0.0 ? std::round(best / unit) : best);
    StartFrom(cbc, fastest.get(), start, 0);
    cbc.Cbc_setMaximumSeconds(fastest.get(), 0.8 * SecondsLeft(deadline));
    // In real numbers the bound closes on the answer only slowly: a
    // millionth of it is close enough, and the gap says how close.
    if (quantum <= 0.0) cbc.Cbc_setAllowableFractionGap(fastest.get(), 1e-6);
    cbc.Cbc_solve(fastest.get());
    result.bound = std::max(result.bound, unit * cbc.Cbc_getBestPossibleObjValue(fastest.get()));
    const bool optimal = cbc.Cbc_isProvenOptimal(fastest.get());
    if (const double* solution = SolutionOf(cbc, fastest.get())) {
      std::vector<int> placed = PlaceByCounts(problem, classes, solution + 1);
      if (const double peak = Peak(problem.StationSeconds(placed)); peak < best - tolerance) {
        Placement placement(problem, std::move(placed));
        placement.ReturnHome();
        result.activityOf = placement.ActivityOf();
        best = peak;
      }
    }
    result.proof = optimal ? Proof::Optimal : Proof::TimeLimit;
    exactBound = optimal && quantum > 0.0;

    // With the slowest station held at its best, as few moves as possible:
    // z counts the fasteners of a class that stay on an activity; whole
    // numbers, so the solver knows the moves are too.
    CbcModel fewest = CountingModel(cbc, problem, classes, quantum, best + tolerance);
    cbc.Cbc_setObjCoeff(fewest.get(), 0, 0.0);
    std::vector<double> counts = CountsOf(classes, result.activityOf);
    std::vector<double> staying;
    int column = 1;
    for (const FastenerClass& group : classes) {
      for (const Option& option : group.options) {
        const double here = static_cast<double>(std::count_if(group.members.begin(), group.members.end(), [&](int f) {
          return problem.fasteners[static_cast<std::size_t>(f)].current == option.activity;
        }));
        cbc.Cbc_addCol(fewest.get(), "", 0.0, here, -1.0, 1, 0, nullptr, nullptr);
        const int stay = cbc.Cbc_getNumCols(fewest.get()) - 1;
        const int columns[] = {stay, column};
        const double coefficients[] = {1.0, -1.0};
        cbc.Cbc_addRow(fewest.get(), "", 2, columns, coefficients, 'L', 0.0);
        staying.push_back(std::min(here, counts[static_cast<std::size_t>(column - 1)]));
        ++column;
      }
    }
    start = counts;
    start.insert(start.begin(), quantum > 0.0 ? std::round(best / unit) : best);
    start.insert(start.end(), staying.begin(), staying.end());
    StartFrom(cbc, fewest.get(), start, 0);
    cbc.Cbc_setMaximumSeconds(fewest.get(), std::max(0.1, SecondsLeft(deadline)));
    cbc.Cbc_solve(fewest.get());
    if (const double* solution = SolutionOf(cbc, fewest.get())) {
      const std::vector<int> placed = PlaceByCounts(problem, classes, solution + 1);
      if (Peak(problem.StationSeconds(placed)) <= best + tolerance &&
          Moves(problem, placed) < Moves(problem, result.activityOf))
        result.activityOf = placed;
    }
  }

  result.stationAfter = problem.StationSeconds(result.activityOf);
  result.bottleneckAfter = Peak(result.stationAfter);
  result.bound = std::min(result.bound, result.bottleneckAfter);
  if (exactBound) result.bound = result.bottleneckAfter;
  result.gap = result.bottleneckAfter > 0.0 ? (result.bottleneckAfter - result.bound) / result.bottleneckAfter : 0.0;
  result.moves = Moves(problem, result.activityOf);
  return result;
}
