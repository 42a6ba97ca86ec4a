#include "QIVFrmEditor.h"

namespace {
QIVVar<QIVFrmEditor>& CurrentEditor() {
  static QIVVar<QIVFrmEditor> current;
  return current;
}
}  // namespace

QIVFrmEditor::QIVFrmEditor(QIVBaseUnknown_var document) : _document(std::move(document)) {}

QIVFrmEditor::~QIVFrmEditor() = default;

QIVFrmEditor* QIVFrmEditor::GetCurrentEditor() { return CurrentEditor().get(); }

void QIVFrmEditor::SetCurrentEditor(QIVFrmEditor* editor) { CurrentEditor() = editor; }
