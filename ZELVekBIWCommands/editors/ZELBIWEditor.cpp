#include "ZELBIWEditor.h"

#include "QIVMsgCatalog.h"
#include "QIVPathElement.h"

ZELBIWEditor::ZELBIWEditor(const ZELBIWEditorKind& kind) : _kind(kind) {}

ZELBIWEditor::~ZELBIWEditor() { _page = nullptr; }

void ZELBIWEditor::ExtractFromSelection(QIVListValQIVBaseUnknown_var& extracted,
                                        const QIVListValQIVBaseUnknown_var* selection) {
  extracted.RemoveAll();
  if (!selection || selection->IsEmpty()) return;
  for (int i = 1; i <= selection->Size(); ++i) {
    _typeName = QIVUnicodeString();
    QIVPathElement_var path((*selection)[i]);
    const QIVBaseUnknown_var leaf = path ? path->GetLeaf() : QIVBaseUnknown_var();
    if (!leaf) continue;
    for (const ZELBIWEditorTarget& target : _kind.targets) {
      if (!target.answers(leaf.get())) continue;
      _typeName = target.typeName;
      break;
    }
    if (!_typeName.IsEmpty()) extracted.Append((*selection)[i]);
  }
}

void ZELBIWEditor::BuildEditor(QIVDlgFrame* page) {
  _page = QIVVar<ZELBIWEditPropertyDlg>(new ZELBIWEditPropertyDlg(page, _kind));
  _page->Build();
}

void ZELBIWEditor::SetPropertyValue(QIVListValQIVBaseUnknown_var& extracted, int mode) {
  if (_page) _page->SetPropertyValue(extracted, mode);
}

void ZELBIWEditor::CommitModification(QIVListValQIVBaseUnknown_var& extracted) {
  if (_page) _page->CommitModification(extracted);
}

void ZELBIWEditor::CancelModification(QIVListValQIVBaseUnknown_var& extracted) {
  if (_page) _page->CancelModification(extracted);
}

void ZELBIWEditor::CloseWindowFromEditor() {}

QIVUnicodeString ZELBIWEditor::GetEditorTitle() {
  return QIVMsgCatalog::BuildMessage(_kind.editorClass, _kind.TitleKey(_typeName.view()), nullptr, 0, "");
}
