#include "QIVFrmEditor.h"

#include "QIVSession.h"

namespace {
struct EditorSlot : QIVSessionPart {
  QIVVar<QIVFrmEditor> current;
};

QIVVar<QIVFrmEditor>& CurrentEditor() { return QIVSession::Current().Get<EditorSlot>().current; }
}  // namespace

QIVFrmEditor::QIVFrmEditor(QIVBaseUnknown_var document) : _document(std::move(document)) {}

QIVFrmEditor::~QIVFrmEditor() = default;

QIVFrmEditor* QIVFrmEditor::GetCurrentEditor() { return CurrentEditor().get(); }

void QIVFrmEditor::SetCurrentEditor(QIVFrmEditor* editor) { CurrentEditor() = editor; }
