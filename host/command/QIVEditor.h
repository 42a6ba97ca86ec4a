#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"
#include "QIVVar.h"

class QIVDlgFrame;
class TIEQIVIEditProperties;

// The base of a property page's editor. It does not derive the interface
// itself: TIEQIVIEditProperties offers QIVIEditProperties for it, so that a
// module registers the binding for its editor's late type. The operations
// are those of QIVIEditProperties; the defaults show and change nothing.
class QIVEditor : public virtual QIVBaseUnknown {
 public:
  ~QIVEditor() override;

  virtual void ExtractFromSelection(QIVListValQIVBaseUnknown_var& extracted,
                                    const QIVListValQIVBaseUnknown_var* selection);
  virtual void BuildEditor(QIVDlgFrame* page);
  virtual void SetPropertyValue(QIVListValQIVBaseUnknown_var& extracted, int mode);
  virtual void CommitModification(QIVListValQIVBaseUnknown_var& extracted);
  virtual void CancelModification(QIVListValQIVBaseUnknown_var& extracted);
  // The window repaints after a commit unless an editor says otherwise.
  virtual void OKToRepaintOnCommit(int& ok);
  virtual void CloseWindowFromEditor();
  virtual QIVUnicodeString GetEditorTitle();
  virtual void SetEditorSize(int& size);
  virtual QIVBaseUnknown_var GetUndoFromEditor();

  const char* GetImplClassName() const override { return "QIVEditor"; }

 private:
  friend class TIEQIVIEditProperties;
  // The tie that answers for this editor while one lives, so that every
  // query gets the same one.
  TIEQIVIEditProperties* _tie = nullptr;
};
