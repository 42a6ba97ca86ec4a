#pragma once

#include "QIVEditor.h"
#include "QIVIEditProperties.h"

// Offers QIVIEditProperties for a QIVEditor by forwarding every operation
// to it. Registered as an extension of an editor's late type: Tie makes the
// tie of an editor, or links the one it already has.
class TIEQIVIEditProperties : public QIVIEditProperties {
 public:
  // The extension function for QIVFillDictionary; null for an object that
  // is not a QIVEditor.
  static QIVBaseUnknown* Tie(QIVBaseUnknown* extended);

  ~TIEQIVIEditProperties() override;

  void ExtractFromSelection(QIVListValQIVBaseUnknown_var& extracted,
                            const QIVListValQIVBaseUnknown_var* selection) override {
    _editor->ExtractFromSelection(extracted, selection);
  }
  void BuildEditor(QIVDlgFrame* page) override { _editor->BuildEditor(page); }
  void SetPropertyValue(QIVListValQIVBaseUnknown_var& extracted, int mode) override {
    _editor->SetPropertyValue(extracted, mode);
  }
  void CommitModification(QIVListValQIVBaseUnknown_var& extracted) override {
    _editor->CommitModification(extracted);
  }
  void CancelModification(QIVListValQIVBaseUnknown_var& extracted) override {
    _editor->CancelModification(extracted);
  }
  void OKToRepaintOnCommit(int& ok) override { _editor->OKToRepaintOnCommit(ok); }
  void CloseWindowFromEditor() override { _editor->CloseWindowFromEditor(); }
  QIVUnicodeString GetEditorTitle() override { return _editor->GetEditorTitle(); }
  void SetEditorSize(int& size) override { _editor->SetEditorSize(size); }
  QIVBaseUnknown_var GetUndoFromEditor() override { return _editor->GetUndoFromEditor(); }

  QIVEditor* GetEditor() const { return _editor.get(); }
  const char* GetImplClassName() const override { return "TIEQIVIEditProperties"; }

 private:
  explicit TIEQIVIEditProperties(QIVEditor* editor);
  QIVVar<QIVEditor> _editor;
};
