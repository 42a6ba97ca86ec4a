#include "QIVFrmEditor.h"

#include "QIVSession.h"

namespace {
struct EditorSlot : QIVSessionPart {
  QIVVar<QIVFrmEditor> current;
};

QIVVar<QIVFrmEditor>& CurrentEditor() { return QIVSession::Current().Get<EditorSlot>().current; }
}  // namespace

QIVFrmEditor::QIVFrmEditor(QIVBaseUnknown_var document) : _document(std::move(document)) {}

QIVFrmEditor::~QIVFrmEditor() {
  // A listener may remove itself or another while it is told.
  while (!_closeListeners.empty()) {
    CloseListener listener = std::move(_closeListeners.front().second);
    _closeListeners.erase(_closeListeners.begin());
    listener(this);
  }
}

int QIVFrmEditor::AddCloseListener(CloseListener listener) {
  _closeListeners.emplace_back(_nextListenerKey, std::move(listener));
  return _nextListenerKey++;
}

void QIVFrmEditor::RemoveCloseListener(int key) {
  std::erase_if(_closeListeners, [key](const auto& held) { return held.first == key; });
}

QIVFrmEditor* QIVFrmEditor::GetCurrentEditor() { return CurrentEditor().get(); }

void QIVFrmEditor::SetCurrentEditor(QIVFrmEditor* editor) { CurrentEditor() = editor; }
