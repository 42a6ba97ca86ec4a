#include "QIVApplicationFrame.h"

#include <utility>

namespace {
QIVApplicationFrame*& CurrentFrame() {
  static QIVApplicationFrame* current = nullptr;
  return current;
}
}  // namespace

QIVApplicationFrame::QIVApplicationFrame()
    : _mainWindow(QIVMake<QIVDlgWindow>()), _previous(std::exchange(CurrentFrame(), this)) {}

QIVApplicationFrame::~QIVApplicationFrame() {
  if (CurrentFrame() == this) CurrentFrame() = _previous;
}

QIVApplicationFrame* QIVApplicationFrame::GetFrame() { return CurrentFrame(); }
