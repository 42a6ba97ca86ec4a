#pragma once

#include <string>
#include <vector>

// A line to balance, read off the process: the stations whose cycle times
// are compared, the fastening activities each belongs to, and the fasteners
// free to move with the activities each may go to and the seconds it costs
// there. What cannot move (locked, or kept where it is) is already in the
// stations' fixed seconds.
struct ZELVekBIWBalanceProblem {
  struct Station {
    std::string name;
    // Children that are not balanced, and fasteners that stay.
    double fixedSeconds = 0.0;
  };
  struct Activity {
    std::string name;
    int station = 0;
  };
  struct Option {
    int activity = 0;
    double seconds = 0.0;
  };
  struct Fastener {
    std::string name;
    // Where it is now: an activity of the line, or -1.
    int current = -1;
    // Its seconds where it is now, whether or not that activity is an option.
    double currentSeconds = 0.0;
    // Never empty; in the activities' order.
    std::vector<Option> options;
  };

  std::vector<Station> stations;
  std::vector<Activity> activities;
  std::vector<Fastener> fasteners;

  // Each station's cycle time with every fastener where `activityOf` puts it
  // (-1: nowhere on the line).
  std::vector<double> StationSeconds(const std::vector<int>& activityOf) const;
  // The activities the fasteners are on now.
  std::vector<int> CurrentActivities() const;
};
