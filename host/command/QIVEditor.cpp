#include "QIVEditor.h"

#include "TIEQIVIEditProperties.h"

QIVEditor::~QIVEditor() = default;

void QIVEditor::ExtractFromSelection(QIVListValQIVBaseUnknown_var& extracted, const QIVListValQIVBaseUnknown_var*) {
  extracted.RemoveAll();
}
void QIVEditor::BuildEditor(QIVDlgFrame*) {}
void QIVEditor::SetPropertyValue(QIVListValQIVBaseUnknown_var&, int) {}
void QIVEditor::CommitModification(QIVListValQIVBaseUnknown_var&) {}
void QIVEditor::CancelModification(QIVListValQIVBaseUnknown_var&) {}
void QIVEditor::OKToRepaintOnCommit(int& ok) { ok = 1; }
void QIVEditor::CloseWindowFromEditor() {}
QIVUnicodeString QIVEditor::GetEditorTitle() { return QIVUnicodeString(); }
void QIVEditor::SetEditorSize(int&) {}
QIVBaseUnknown_var QIVEditor::GetUndoFromEditor() { return QIVBaseUnknown_var(); }
