#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "QIVRepository.h"
#include "QIVSO.h"
#include "QIVVar.h"

// The editor of an open document. Each session has at most one current
// editor; services reach the document through the current session's. The editor owns the
// document's current selection and highlighted set.
class QIVFrmEditor : public QIVBaseUnknown {
 public:
  explicit QIVFrmEditor(QIVBaseUnknown_var document);
  ~QIVFrmEditor() override;

  // The current editor, or null when no document is open.
  static QIVFrmEditor* GetCurrentEditor();
  // Makes `editor` current (the session holds one reference to it); null
  // closes the current one.
  static void SetCurrentEditor(QIVFrmEditor* editor);

  const QIVBaseUnknown_var& GetDocument() const { return _document; }
  QIVCSO* GetCSO() const { return _cso.get(); }
  QIVHSO* GetHSO() const { return _hso.get(); }
  // The plant's repository the document is planned against; null when the
  // session works without one.
  QIVRepository* GetRepository() const { return _repository.get(); }
  // For another editor on the same document (a second planner's session).
  const std::shared_ptr<QIVRepository>& GetSharedRepository() const { return _repository; }
  void SetRepository(std::shared_ptr<QIVRepository> repository) { _repository = std::move(repository); }

  // Who is told when the editor closes (goes), as the editor-close-ended
  // notification of the layout; the key removes the listener.
  using CloseListener = std::function<void(QIVFrmEditor* editor)>;
  int AddCloseListener(CloseListener listener);
  void RemoveCloseListener(int key);

  const char* GetImplClassName() const override { return "QIVFrmEditor"; }

 private:
  QIVBaseUnknown_var _document;
  std::unique_ptr<QIVCSO> _cso = std::make_unique<QIVCSO>();
  std::unique_ptr<QIVHSO> _hso = std::make_unique<QIVHSO>();
  std::shared_ptr<QIVRepository> _repository;
  std::vector<std::pair<int, CloseListener>> _closeListeners;
  int _nextListenerKey = 1;
};
