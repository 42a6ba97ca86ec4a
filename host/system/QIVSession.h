#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "QIVSessionEvents.h"
#include "QIVTranscript.h"

// One piece of a session's state that a layer keeps (the windows shown,
// the answers waiting for boxes, the current editor...). Each layer
// defines its own, so the session holds them without knowing their types.
class QIVSessionPart {
 public:
  virtual ~QIVSessionPart() = default;
};

// A planner's session: its transcript and every piece of state the host
// used to keep per process. Sessions live side by side in one process
// without seeing each other: the static entry points commands call
// (QIVFrmEditor::GetCurrentEditor, QIVDlgNotify::QueueAnswer...) act on
// the current session, the one most recently made or entered through a
// Scope that is still alive; outside any, on a default session of the
// process.
//
// The model raises its events here rather than writing the transcript:
// the session records their lines and hands them to its listener.
class QIVSession {
 public:
  QIVSession();
  ~QIVSession();
  QIVSession(const QIVSession&) = delete;
  QIVSession& operator=(const QIVSession&) = delete;

  static QIVSession& Current();

  // Makes a session current for the life of the scope.
  class Scope {
   public:
    explicit Scope(QIVSession& session);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    QIVSession* _session;
  };

  QIVTranscript& GetTranscript() { return _transcript; }

  // The session's part of type P, made on first use. Parts go in the
  // reverse order of their making, while the session is still current and
  // its transcript alive.
  template <class P>
  P& Get() {
    const void* key = KeyOf<P>();
    for (auto& [partKey, part] : _parts)
      if (partKey == key) return static_cast<P&>(*part);
    _parts.emplace_back(key, std::make_unique<P>());
    return static_cast<P&>(*_parts.back().second);
  }

  void RaiseModelEvent(const QIVModelEvent& event);
  // A redraw of `object`, shown as "redraw WHAT" (`what` names the kind and
  // the object: viewer "MainViewer").
  void RaiseRedraw(const QIVBaseUnknown_var& object, const std::string& what);
  // Records the box (its transcript line and itself) and tells the
  // listener.
  void RaiseBoxShown(const QIVBoxShown& box);
  // Whether anyone hears the model's events: an Edited event is made only
  // then.
  bool IsListened() const { return _listener != nullptr; }
  // Hands the figure to the listener.
  void RaiseFigure(const QIVCommandFigure& figure) {
    if (_listener) _listener->OnFigure(figure);
  }
  // Every box shown in the session, in showing order.
  const std::vector<QIVBoxShown>& GetBoxesShown() const { return _boxes; }
  // One listener at most; null removes it.
  void SetListener(QIVSessionListener* listener) { _listener = listener; }

 private:
  template <class P>
  static const void* KeyOf() {
    static const char key = 0;
    return &key;
  }

  QIVTranscript _transcript;
  std::vector<std::pair<const void*, std::unique_ptr<QIVSessionPart>>> _parts;
  std::vector<QIVBoxShown> _boxes;
  QIVSessionListener* _listener = nullptr;
};
