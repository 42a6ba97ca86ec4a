#include "ZELVekPreviewWindowManager.h"

#include <unordered_set>

#include "QIVFrmEditor.h"
#include "ZELBIWPreviewWindow.h"

ZELVekPreviewWindowManager::ZELVekPreviewWindowManager() = default;

ZELVekPreviewWindowManager::~ZELVekPreviewWindowManager() {
  while (!_editors.empty()) Forget(static_cast<int>(_editors.size()) - 1);
}

ZELVekPreviewWindowManager* ZELVekPreviewWindowManager::GetZELVekPreviewWindowManager() {
  return &QIVSession::Current().Get<ZELVekPreviewWindowManager>();
}

int ZELVekPreviewWindowManager::PositionOf(const QIVFrmEditor* editor) const {
  for (std::size_t i = 0; i < _editors.size(); ++i)
    if (_editors[i] == editor) return static_cast<int>(i);
  return -1;
}

int ZELVekPreviewWindowManager::Record(QIVFrmEditor* editor) {
  if (const int position = PositionOf(editor); position >= 0) return position;
  _editors.push_back(editor);
  _windows.emplace_back();
  _products.push_back(std::make_unique<QIVListValQIVBaseUnknown_var>());
  _editorListeners.push_back(
      editor->AddCloseListener([this](QIVFrmEditor* closed) { EditorClosed(closed); }));
  return static_cast<int>(_editors.size()) - 1;
}

ZELBIWPreviewWindow* ZELVekPreviewWindowManager::GetPreviewWindow(QIVFrmEditor* editor) {
  if (!editor) return nullptr;
  const auto position = static_cast<std::size_t>(Record(editor));
  if (!_windows[position]) {
    QIVVar<ZELBIWPreviewWindow> window = QIVMake<ZELBIWPreviewWindow>(editor, false);
    window->SetTitle("Preview Window");
    window->SetClosedListener([this](ZELBIWPreviewWindow* closed) { PreviewWindowIsClosed(closed); });
    window->SetVisibility(QIVDlgShow);
    _windows[position] = window;
  }
  return _windows[position].get();
}

HRESULT ZELVekPreviewWindowManager::GetListOfAddedProducts(QIVFrmEditor* editor,
                                                           QIVListValQIVBaseUnknown_var& products) const {
  products.RemoveAll();
  const int position = PositionOf(editor);
  if (!editor || position < 0) return E_FAIL;
  products = *_products[static_cast<std::size_t>(position)];
  return S_OK;
}

HRESULT ZELVekPreviewWindowManager::SetListOfProducts(QIVFrmEditor* editor,
                                                      const QIVListValQIVBaseUnknown_var& products) {
  if (!editor) return E_FAIL;
  QIVListValQIVBaseUnknown_var& recorded = *_products[static_cast<std::size_t>(Record(editor))];
  std::unordered_set<const void*> held;
  for (const QIVBaseUnknown_var& product : recorded) held.insert(product.Identity());
  for (const QIVBaseUnknown_var& product : products)
    if (product && held.insert(product.Identity()).second) recorded.Append(product);
  return S_OK;
}

void ZELVekPreviewWindowManager::PreviewWindowIsClosed(ZELBIWPreviewWindow* window) {
  for (QIVVar<ZELBIWPreviewWindow>& held : _windows)
    if (held.get() == window) {
      held->SetClosedListener(nullptr);
      held = nullptr;
    }
}

void ZELVekPreviewWindowManager::EditorClosed(QIVFrmEditor* editor) {
  if (const int position = PositionOf(editor); position >= 0) Forget(position);
}

void ZELVekPreviewWindowManager::Forget(int position) {
  const auto at = static_cast<std::size_t>(position);
  if (QIVVar<ZELBIWPreviewWindow>& window = _windows[at]) {
    window->SetClosedListener(nullptr);
    window->SetVisibility(QIVDlgHide);
  }
  _editors[at]->RemoveCloseListener(_editorListeners[at]);
  _editors.erase(_editors.begin() + position);
  _windows.erase(_windows.begin() + position);
  _products.erase(_products.begin() + position);
  _editorListeners.erase(_editorListeners.begin() + position);
}
