#pragma once

#include <memory>
#include <vector>

#include "QIVListVal.h"
#include "QIVSession.h"
#include "QIVVar.h"

class QIVFrmEditor;
class ZELBIWPreviewWindow;

// Keeps one preview window per editor, and the products shown in it, in
// three parallel collections: position i is one editor, its window and
// its products. A window closed by the planner is forgotten, its editor's
// products kept, so that the next window of that editor shows them again;
// an editor that closes takes its position with it. One manager per
// session, as every other per-planner state of the host.
class ZELVekPreviewWindowManager : public QIVSessionPart {
 public:
  ZELVekPreviewWindowManager();
  ~ZELVekPreviewWindowManager() override;

  static ZELVekPreviewWindowManager* GetZELVekPreviewWindowManager();

  // The editor's window, made (titled "Preview Window") when it has none;
  // null for a null editor.
  ZELBIWPreviewWindow* GetPreviewWindow(QIVFrmEditor* editor);
  HRESULT GetListOfAddedProducts(QIVFrmEditor* editor, QIVListValQIVBaseUnknown_var& products) const;
  // Appends the products the editor's record does not hold yet.
  HRESULT SetListOfProducts(QIVFrmEditor* editor, const QIVListValQIVBaseUnknown_var& products);

  void PreviewWindowIsClosed(ZELBIWPreviewWindow* window);
  void EditorClosed(QIVFrmEditor* editor);

  int GetEditorCount() const { return static_cast<int>(_editors.size()); }

 private:
  int PositionOf(const QIVFrmEditor* editor) const;
  int Record(QIVFrmEditor* editor);
  void Forget(int position);

  std::vector<QIVFrmEditor*> _editors;
  std::vector<QIVVar<ZELBIWPreviewWindow>> _windows;
  std::vector<std::unique_ptr<QIVListValQIVBaseUnknown_var>> _products;
  // The key of the manager's close listener on each editor.
  std::vector<int> _editorListeners;
};
