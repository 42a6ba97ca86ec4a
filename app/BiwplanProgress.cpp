#include "BiwplanProgress.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>

namespace {

constexpr auto kQuiet = std::chrono::seconds(1);
constexpr auto kRedraw = std::chrono::milliseconds(100);
constexpr int kBarWidth = 30;

}  // namespace

BiwplanProgress::BiwplanProgress(std::string what)
    : BiwplanProgress(std::move(what), std::cerr, ::isatty(STDERR_FILENO) == 1, &Clock::now) {}

BiwplanProgress::BiwplanProgress(std::string what, std::ostream& out, bool terminal,
                                 std::function<Clock::time_point()> now)
    : _what(std::move(what)), _out(out), _terminal(terminal), _now(std::move(now)), _start(_now()) {}

BiwplanProgress::~BiwplanProgress() {
  if (_session) QIVProgressWatcher::Set(*_session, {});
  if (_shown) _out << "\r\x1b[K" << std::flush;
}

void BiwplanProgress::Watch(QIVSession& session) {
  _session = &session;
  QIVProgressWatcher::Set(session,
                          [this](const QIVProgress& progress) { Step(progress.done, progress.total, progress.what); });
}

void BiwplanProgress::Step(long long done, long long total, const std::string& what) {
  if (!_terminal || total <= 0) return;
  const Clock::time_point now = _now();
  if (now - _start < kQuiet || (_shown && now - _drawn < kRedraw && done < total)) return;
  _drawn = now;
  _shown = true;
  const long long filled = std::min<long long>(kBarWidth, done * kBarWidth / total);
  _out << "\r\x1b[K" << (what.empty() ? _what : what) << " [" << std::string(filled, '#')
       << std::string(kBarWidth - filled, ' ') << "] " << done << "/" << total << std::flush;
}

std::function<void(std::size_t, std::size_t)> BiwplanProgress::Callback() {
  return [this](std::size_t done, std::size_t total) {
    Step(static_cast<long long>(done), static_cast<long long>(total));
  };
}
