#include "ZELBIWEditPropertyDlg.h"

#include <limits>

#include "QIVActivityAnnouncement.h"
#include "QIVISPPAbstractActivity.h"
#include "QIVPathElement.h"
#include "ZELIZitBltMgr.h"

namespace {

// The activity of the last entry of the list: its path's leaf.
QIVBaseUnknown_var LastLeaf(const QIVListValQIVBaseUnknown_var& extracted) {
  if (extracted.IsEmpty()) return QIVBaseUnknown_var();
  QIVPathElement_var path(extracted[extracted.Size()]);
  return path ? path->GetLeaf() : QIVBaseUnknown_var();
}

}  // namespace

ZELBIWEditPropertyDlg::ZELBIWEditPropertyDlg(QIVCommand* parent, const ZELBIWEditorKind& kind)
    : QIVDlgFrame(parent, kind.pageFrame, PageFrameStyle), _kind(kind) {}

ZELBIWEditPropertyDlg::~ZELBIWEditPropertyDlg() {
  // The widgets belong to the frame and go with it.
  _rows.clear();
  _attributes = nullptr;
}

void ZELBIWEditPropertyDlg::Build() {
  if (_attributes) return;
  _attributes = new QIVDlgFrame(this, _kind.attributesFrame, AttributesFrameStyle);
  _attributes->SetGridConstraints(0, 0, 1, 1, Justification);
  for (int row = 0; row < static_cast<int>(_kind.rows.size()); ++row) {
    const ZELBIWEditorRow& definition = _kind.rows[row];
    Row widgets;
    widgets.label = new QIVDlgLabel(_attributes, definition.label);
    widgets.editor = new QIVDlgEditor(_attributes, definition.editor, QIVDlgEditor::NumericStyle);
    widgets.editor->SetRange(0.0, std::numeric_limits<double>::max());
    widgets.units = new QIVDlgLabel(_attributes, definition.units);
    widgets.label->SetGridConstraints(row, 0, 1, 1, Justification);
    widgets.editor->SetGridConstraints(row, 1, 1, 1, Justification);
    widgets.units->SetGridConstraints(row, 3, 1, 1, Justification);
    _rows.push_back(widgets);
  }
}

QIVDlgEditor* ZELBIWEditPropertyDlg::GetEditor(int row) const {
  return row >= 0 && row < static_cast<int>(_rows.size()) ? _rows[row].editor : nullptr;
}

void ZELBIWEditPropertyDlg::SetPropertyValue(QIVListValQIVBaseUnknown_var& extracted, int) {
  const QIVBaseUnknown_var leaf = LastLeaf(extracted);
  if (!leaf || !_kind.offersValues(leaf.get())) return;
  for (int row = 0; row < static_cast<int>(_rows.size()); ++row) {
    double value = 0.0;
    if (FAILED(_kind.rows[row].read(leaf.get(), value))) continue;
    _rows[row].editor->SetValue(_kind.rows[row].reciprocal ? ZELReciprocalRate(value) : value, 1);
  }
}

void ZELBIWEditPropertyDlg::CommitModification(QIVListValQIVBaseUnknown_var& extracted) {
  const QIVBaseUnknown_var leaf = LastLeaf(extracted);
  if (!leaf) return;
  std::vector<double> values;
  for (const Row& row : _rows) values.push_back(row.editor->GetValue());
  // A leaf of another kind is neither written nor announced.
  if (!_kind.offersValues(leaf.get())) return;
  for (int row = 0; row < static_cast<int>(_rows.size()); ++row)
    _kind.rows[row].write(leaf.get(), _kind.rows[row].reciprocal ? ZELReciprocalRate(values[row]) : values[row]);
  if (_kind.update) _kind.update(leaf.get());
  DispatchModifyEvent(leaf.get());
}

void ZELBIWEditPropertyDlg::CancelModification(QIVListValQIVBaseUnknown_var&) {}

int ZELBIWEditPropertyDlg::WarnOnStringInput(const QIVUnicodeString&) { return 1; }

void ZELBIWEditPropertyDlg::ModifyEditorMode(QIVCommand*, const QIVNotification&, void*) {}

void ZELBIWEditPropertyDlg::DispatchModifyEvent(QIVBaseUnknown* object) {
  QIVAnnounceActivityModification(object);
  UpdatePods(object);
}

void ZELBIWEditPropertyDlg::UpdatePods(QIVBaseUnknown* object) {
  QIVISPPAbstractActivity_var activity(object);
  QIVBaseUnknown_var father;
  if (!activity || FAILED(activity->GetFatherActivity(father))) return;
  ZELIZitBltMgr_var pods(father);
  if (!pods) return;
  pods->Update();
  UpdatePods(father.get());
}
