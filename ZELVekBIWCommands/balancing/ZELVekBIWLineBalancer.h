#pragma once

#include <vector>

#include "ZELVekBIWBalanceProblem.h"

// Chooses an activity for every fastener of a line so that the slowest
// station is as fast as it can be, then with as few moves as that allows.
// A greedy pass (longest fastener first, each to the option that leaves the
// lowest station time, then single moves off the bottleneck) gives a first
// answer; a mixed-integer model solved by COIN-OR CBC within the time limit
// improves on it and bounds it from below. Fasteners with the same options
// at the same seconds are interchangeable, so the model counts how many of
// each such class go to each activity rather than placing each fastener.
class ZELVekBIWLineBalancer {
 public:
  struct Options {
    double timeLimitSeconds = 60.0;
    // Off: the greedy answer alone, bounded by the trivial bound.
    bool exact = true;
  };
  enum class Proof { Optimal, TimeLimit, Heuristic };
  struct Result {
    std::vector<int> activityOf;
    std::vector<double> stationBefore;
    std::vector<double> stationAfter;
    double bottleneckBefore = 0.0;
    double bottleneckAfter = 0.0;
    double greedyBottleneck = 0.0;
    // No assignment can make the slowest station faster than this.
    double bound = 0.0;
    // (after - bound) / after.
    double gap = 0.0;
    int moves = 0;
    Proof proof = Proof::Heuristic;
  };

  // Throws QIVSharedLibrary::Error, naming the library and the reason,
  // when the exact pass is asked for and CBC cannot be loaded.
  static Result Balance(const ZELVekBIWBalanceProblem& problem, const Options& options);
  // The greedy answer on its own.
  static std::vector<int> Greedy(const ZELVekBIWBalanceProblem& problem);
};
