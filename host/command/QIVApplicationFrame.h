#pragma once

#include "QIVDlgWindow.h"
#include "QIVViewer.h"
#include "QIVVar.h"

// The application around the commands: its main window, on which commands
// create their dialogs and boxes, its viewer, and the busy cursor. The dispatcher
// makes one for its session; while it lives it is the frame GetFrame
// answers in that session.
class QIVApplicationFrame {
 public:
  QIVApplicationFrame();
  QIVApplicationFrame(const QIVApplicationFrame&) = delete;
  QIVApplicationFrame& operator=(const QIVApplicationFrame&) = delete;
  ~QIVApplicationFrame();

  // The frame of the session, null when there is none.
  static QIVApplicationFrame* GetFrame();

  QIVDlgWindow* GetMainWindow() const { return _mainWindow.get(); }
  // The viewer of the main window, which commands ask to redraw.
  QIVViewer* GetViewer() const { return _viewer.get(); }

  // A command announces a long operation. Headless, the cursor is only
  // counted, so that a front end or a test can see it was asked for.
  void SetBusyCursor() { ++_busyCursorCount; }
  int GetBusyCursorCount() const { return _busyCursorCount; }

 private:
  QIVVar<QIVDlgWindow> _mainWindow;
  QIVVar<QIVViewer> _viewer;
  int _busyCursorCount = 0;
  QIVApplicationFrame* _previous = nullptr;
};
