#include "QIVApplicationFrame.h"

#include <utility>

#include "QIVSession.h"

namespace {
struct FrameSlot : QIVSessionPart {
  QIVApplicationFrame* current = nullptr;
};

QIVApplicationFrame*& CurrentFrame() { return QIVSession::Current().Get<FrameSlot>().current; }
}  // namespace

QIVApplicationFrame::QIVApplicationFrame()
    : _mainWindow(QIVMake<QIVDlgWindow>()),
      _viewer(QIVMake<QIVViewer>("MainViewer")),
      _previous(std::exchange(CurrentFrame(), this)) {}

QIVApplicationFrame::~QIVApplicationFrame() {
  if (CurrentFrame() == this) CurrentFrame() = _previous;
}

QIVApplicationFrame* QIVApplicationFrame::GetFrame() { return CurrentFrame(); }
