#include "ZELUpdateWorldStepAnimCmd.h"

#include "QIVFrmEditor.h"
#include "QIVISPPActivity.h"
#include "QIVPathElement.h"
#include "QIVSO.h"

void ZELUpdateWorldStepAnimCmd::Desactivate() {
  HaltController();
  ZELTimeBasedSimCmd::Desactivate();
}

QIVBaseUnknown_var ZELUpdateWorldStepAnimCmd::WhatIsInCSO() const {
  QIVFrmEditor* editor = QIVFrmEditor::GetCurrentEditor();
  if (!editor) return QIVBaseUnknown_var();
  for (const QIVBaseUnknown_var& element : editor->GetCSO()->Elements()) {
    if (QIVISPPActivity_var(element)) return element;
    QIVPathElement_var path(element);
    if (QIVISPPActivity_var activity = path ? path->FindFromLeaf<QIVISPPActivity>() : QIVISPPActivity_var())
      return activity;
  }
  return QIVBaseUnknown_var();
}
