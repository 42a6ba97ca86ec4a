#pragma once

#include <functional>
#include <string>
#include <vector>

#include "QIVDlgDialog.h"
#include "QIVIRedrawEvent.h"
#include "QIVListVal.h"

class QIVFrmEditor;

// A second 3D view of an editor's document that shows only what it is
// given: parts and the fasteners between them. Headless it keeps the
// objects it shows, in the order given, and what the view was fitted to;
// `show` writes them with the highlight (in the editor's current
// selection, "*") and visibility (a hidden weld point, "(hidden)") of
// each:
//   show PreviewWindow window title="Preview Window" parts=[...] fasteners=[...] reframed=N
// Closing it (its window's close box) hides it and tells the one who
// listens for that, after the notification has gone up to its father.
class ZELBIWPreviewWindow : public QIVDlgDialog, public QIVIRedrawEvent {
 public:
  using ClosedListener = std::function<void(ZELBIWPreviewWindow* window)>;

  // `flag` is kept for the views and changes nothing headless.
  ZELBIWPreviewWindow(QIVFrmEditor* editor, bool flag);
  ~ZELBIWPreviewWindow() override;

  QIVFrmEditor* GetEditor() const { return _editor; }
  // Closing the window inside the application's frame.
  static const char* GetMDICloseNotification() { return "MDIClose"; }

  // Clears what the window shows.
  void Initialize();
  // Shows the objects as the interface `iid` names them (parts as
  // products, fasteners as fasteners); objects already shown stay once.
  void Visualize(const QIVListValQIVBaseUnknown_var& objects, const QIVIID& iid);
  // Fits the view to the objects.
  void VisuWithReframeOnItems(const QIVListValQIVBaseUnknown_var& objects);
  // Draws the view again: a redraw event of the window.
  void UpdateViewer(bool redraw);
  HRESULT Redraw() override;

  const QIVListValQIVBaseUnknown_var& GetParts() const { return _parts; }
  const QIVListValQIVBaseUnknown_var& GetFasteners() const { return _fasteners; }
  int GetReframedCount() const { return _reframed; }

  void SetClosedListener(ClosedListener listener) { _closedListener = std::move(listener); }

  const char* GetImplClassName() const override { return "ZELBIWPreviewWindow"; }

 protected:
  const char* KindName() const override { return "window"; }
  void DescribeState(std::string& line) const override;

 private:
  void OnClose(QIVCommand* sender, const QIVNotification& notification, void* data);

  QIVFrmEditor* _editor;
  QIVListValQIVBaseUnknown_var _parts;
  QIVListValQIVBaseUnknown_var _fasteners;
  int _reframed = 0;
  ClosedListener _closedListener;
};
