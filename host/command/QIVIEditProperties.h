#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"
#include "QIVVar.h"

class QIVDlgFrame;

// One page of the property window. The lists hold the selection as paths
// (QIVPathElement), the edited object being each path's leaf.
//
// The window asks each editor for the entries it edits
// (ExtractFromSelection), builds the page of those that found some
// (BuildEditor), fills it (SetPropertyValue), and on OK or Apply writes it
// back (CommitModification); on Cancel it calls CancelModification.
class QIVIEditProperties : public QIVInterface<QIVIEditProperties> {
 public:
  static constexpr const char* InterfaceName = "QIVIEditProperties";

  virtual void ExtractFromSelection(QIVListValQIVBaseUnknown_var& extracted,
                                    const QIVListValQIVBaseUnknown_var* selection) = 0;
  virtual void BuildEditor(QIVDlgFrame* page) = 0;
  virtual void SetPropertyValue(QIVListValQIVBaseUnknown_var& extracted, int mode) = 0;
  virtual void CommitModification(QIVListValQIVBaseUnknown_var& extracted) = 0;
  virtual void CancelModification(QIVListValQIVBaseUnknown_var& extracted) = 0;
  virtual void OKToRepaintOnCommit(int& ok) = 0;
  virtual void CloseWindowFromEditor() = 0;
  virtual QIVUnicodeString GetEditorTitle() = 0;
  virtual void SetEditorSize(int& size) = 0;
  virtual QIVBaseUnknown_var GetUndoFromEditor() = 0;
};
using QIVIEditProperties_var = QIVVar<QIVIEditProperties>;
