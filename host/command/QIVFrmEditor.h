#pragma once

#include "QIVVar.h"

// The editor of an open document. The session has at most one current
// editor; services reach the document through it.
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

  const char* GetImplClassName() const override { return "QIVFrmEditor"; }

 private:
  QIVBaseUnknown_var _document;
};
