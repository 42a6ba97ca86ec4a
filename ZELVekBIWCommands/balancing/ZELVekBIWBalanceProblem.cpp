#include "ZELVekBIWBalanceProblem.h"

std::vector<double> ZELVekBIWBalanceProblem::StationSeconds(const std::vector<int>& activityOf) const {
  std::vector<double> seconds;
  seconds.reserve(stations.size());
  for (const Station& station : stations) seconds.push_back(station.fixedSeconds);
  for (std::size_t f = 0; f < fasteners.size(); ++f) {
    const int activity = activityOf[f];
    if (activity < 0) continue;
    const Fastener& fastener = fasteners[f];
    double cost = activity == fastener.current ? fastener.currentSeconds : 0.0;
    for (const Option& option : fastener.options)
      if (option.activity == activity) cost = option.seconds;
    seconds[static_cast<std::size_t>(activities[static_cast<std::size_t>(activity)].station)] += cost;
  }
  return seconds;
}

std::vector<int> ZELVekBIWBalanceProblem::CurrentActivities() const {
  std::vector<int> current;
  current.reserve(fasteners.size());
  for (const Fastener& fastener : fasteners) current.push_back(fastener.current);
  return current;
}
