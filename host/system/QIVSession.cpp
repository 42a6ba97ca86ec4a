#include "QIVSession.h"

#include <algorithm>
#include <cstdio>

namespace {
// Sessions made or entered, innermost last.
std::vector<QIVSession*>& Entered() {
  static std::vector<QIVSession*> entered;
  return entered;
}
}  // namespace

QIVSession::QIVSession() { Entered().push_back(this); }

QIVSession::~QIVSession() {
  {
    Scope scope(*this);
    // A part going may ask for another one (a window hidden on its way out
    // tells the shown windows): that one goes in the next round.
    while (!_parts.empty()) {
      std::unique_ptr<QIVSessionPart> last = std::move(_parts.back().second);
      _parts.pop_back();
      last.reset();
    }
  }
  std::erase(Entered(), this);
}

QIVSession& QIVSession::Current() {
  if (!Entered().empty()) return *Entered().back();
  static QIVSession* process = new QIVSession;  // never freed: parts may be asked for at exit
  return *process;
}

QIVSession::Scope::Scope(QIVSession& session) : _session(&session) { Entered().push_back(_session); }

QIVSession::Scope::~Scope() {
  auto last = std::find(Entered().rbegin(), Entered().rend(), _session);
  if (last != Entered().rend()) Entered().erase(std::next(last).base());
}

void QIVSession::RaiseModelEvent(const QIVModelEvent& event) {
  if (!event.line.empty()) _transcript.Record(event.line);
  if (_listener) _listener->OnModelEvent(event);
}

void QIVSession::RaiseRedraw(const QIVBaseUnknown_var& object, const std::string& what) {
  RaiseModelEvent({QIVModelEvent::Kind::Redrawn, object, "redraw " + what});
}

void QIVSession::RaiseBoxShown(const QIVBoxShown& box) {
  _transcript.Record(box.Format());
  _boxes.push_back(box);
  if (_listener) _listener->OnBoxShown(box);
}

std::string QIVBoxShown::Format() const {
  char hex[32];
  std::snprintf(hex, sizeof hex, "0x%lx", style);
  return std::string("box ") + hex + " " + QIVTranscript::Quote(title) + " " + QIVTranscript::Quote(text) + " -> " +
         answer;
}
