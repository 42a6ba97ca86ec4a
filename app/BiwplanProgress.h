#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>

#include "QIVProgress.h"

// A progress bar on standard error for work that takes more than a second
// (a weld import, a publication, a whole-process update, a large listing),
// drawn only when standard error is a terminal and never into the
// transcript. It shows what the session's commands tell of their progress
// (QIVProgressWatcher::Raise) while it watches a session, and what the
// verb tells it itself through Callback(). The bar is wiped when it goes.
class BiwplanProgress {
 public:
  using Clock = std::chrono::steady_clock;

  // Draws on standard error when it is a terminal.
  explicit BiwplanProgress(std::string what);
  // Draws on `out` when `terminal`, the time read from `now` (tests).
  BiwplanProgress(std::string what, std::ostream& out, bool terminal, std::function<Clock::time_point()> now);
  ~BiwplanProgress();
  BiwplanProgress(const BiwplanProgress&) = delete;
  BiwplanProgress& operator=(const BiwplanProgress&) = delete;

  // Shows the progress the session's commands raise until this goes (the
  // session must outlive it).
  void Watch(QIVSession& session);
  // `done` of `total` steps of the verb's own work.
  void Step(long long done, long long total, const std::string& what = std::string());
  std::function<void(std::size_t, std::size_t)> Callback();

 private:
  std::string _what;
  std::ostream& _out;
  bool _terminal;
  std::function<Clock::time_point()> _now;
  Clock::time_point _start;
  Clock::time_point _drawn;
  bool _shown = false;
  QIVSession* _session = nullptr;
};
