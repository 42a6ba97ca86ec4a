#include "ZELBIWPreviewWindow.h"

#include <unordered_set>

#include "QIVFrmEditor.h"
#include "QIVIAlias.h"
#include "QIVIProduct.h"
#include "QIVPathElement.h"
#include "QIVSession.h"
#include "ZELFastenerDisplay.h"
#include "ZELIBIWFastener.h"

namespace {
void AppendNew(QIVListValQIVBaseUnknown_var& shown, const QIVListValQIVBaseUnknown_var& objects) {
  std::unordered_set<const void*> held;
  for (const QIVBaseUnknown_var& object : shown) held.insert(object.Identity());
  for (const QIVBaseUnknown_var& object : objects)
    if (object && held.insert(object.Identity()).second) shown.Append(object);
}

std::string NameOf(const QIVBaseUnknown_var& object) {
  if (QIVIProduct_var product(object); product) return product->GetPrdInstanceName().str();
  if (QIVIAlias_var alias(object); alias) return alias->GetAlias().str();
  return "?";
}
}  // namespace

ZELBIWPreviewWindow::ZELBIWPreviewWindow(QIVFrmEditor* editor, bool)
    : QIVDlgDialog(nullptr, "PreviewWindow", 0), _editor(editor) {
  for (const char* kind : {GetDiaOKNotification(), GetDiaCANCELNotification(), GetDiaAPPLYNotification(),
                           GetDiaCLOSENotification()})
    SetButtonSensitivity(kind, QIVDlgDisable);
  AddAnalyseNotificationCB(this, GetWindCloseNotification(), &ZELBIWPreviewWindow::OnClose);
  AddAnalyseNotificationCB(this, GetMDICloseNotification(), &ZELBIWPreviewWindow::OnClose);
}

ZELBIWPreviewWindow::~ZELBIWPreviewWindow() = default;

void ZELBIWPreviewWindow::Initialize() {
  _parts.RemoveAll();
  _fasteners.RemoveAll();
  _reframed = 0;
}

void ZELBIWPreviewWindow::Visualize(const QIVListValQIVBaseUnknown_var& objects, const QIVIID& iid) {
  AppendNew(iid == ZELIBIWFastener::ClassId() ? _fasteners : _parts, objects);
}

void ZELBIWPreviewWindow::VisuWithReframeOnItems(const QIVListValQIVBaseUnknown_var& objects) {
  _reframed = objects.Size();
}

void ZELBIWPreviewWindow::UpdateViewer(bool redraw) {
  if (redraw) Redraw();
}

HRESULT ZELBIWPreviewWindow::Redraw() {
  QIVSession::Current().RaiseRedraw(QIVBaseUnknown_var(static_cast<QIVIRedrawEvent*>(this)),
                                    "viewer " + Quote(GetTitle().view()));
  return S_OK;
}

void ZELBIWPreviewWindow::OnClose(QIVCommand*, const QIVNotification& notification, void*) {
  SetVisibility(QIVDlgHide);
  SendNotification(GetFather(), notification);
  if (_closedListener) _closedListener(this);
}

void ZELBIWPreviewWindow::DescribeState(std::string& line) const {
  QIVDlgDialog::DescribeState(line);
  // A leaf in the current selection is drawn highlighted.
  std::unordered_set<const void*> selected;
  if (_editor)
    for (const QIVBaseUnknown_var& element : _editor->GetCSO()->Elements())
      if (const QIVPathElement_var path(element); path) selected.insert(path->GetLeaf().Identity());
  const ZELFastenerDisplay& display = ZELFastenerDisplay::Instance();
  auto describe = [&](const char* key, const QIVListValQIVBaseUnknown_var& objects, bool fasteners) {
    line += std::string(" ") + key + "=[";
    bool first = true;
    for (const QIVBaseUnknown_var& object : objects) {
      line += (first ? "" : ", ") + Quote(NameOf(object));
      if (selected.count(object.Identity())) line += "*";
      if (fasteners && !display.IsWeldPointShown(object)) line += "(hidden)";
      first = false;
    }
    line += "]";
  };
  describe("parts", _parts, false);
  describe("fasteners", _fasteners, true);
  line += " reframed=" + std::to_string(_reframed);
}
