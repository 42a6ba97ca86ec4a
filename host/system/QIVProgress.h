#pragma once

#include <functional>
#include <string>
#include <utility>

#include "QIVSession.h"

// How far a long piece of work of a command has come: `done` of `total`
// steps of what `what` names ("reading welds").
struct QIVProgress {
  std::string what;
  long long done = 0;
  long long total = 0;
};

// The session's part that hands the progress of long work (a weld import,
// a publication, a whole-process update) to whoever shows it to the
// planner, a bar on the terminal. Progress is never written to the
// transcript.
class QIVProgressWatcher : public QIVSessionPart {
 public:
  using Watcher = std::function<void(const QIVProgress&)>;

  // Tells the current session's watcher, when it has one.
  static void Raise(const QIVProgress& progress) {
    const Watcher& watcher = QIVSession::Current().Get<QIVProgressWatcher>()._watcher;
    if (watcher) watcher(progress);
  }
  // One watcher for the session at most; an empty one removes it.
  static void Set(QIVSession& session, Watcher watcher) {
    session.Get<QIVProgressWatcher>()._watcher = std::move(watcher);
  }

 private:
  Watcher _watcher;
};
