#pragma once

#include "QIVEditor.h"
#include "ZELBIWEditPropertyDlg.h"
#include "ZELBIWEditorKind.h"

// The editor of one kind's page. The host reaches it through
// QIVIEditProperties, which TIEQIVIEditProperties offers for the editor's
// class (its late type). It extracts the selected activities of its kind,
// builds its page on the host's page frame, and hands the values to it.
class ZELBIWEditor : public QIVEditor {
 public:
  explicit ZELBIWEditor(const ZELBIWEditorKind& kind);
  ~ZELBIWEditor() override;

  void ExtractFromSelection(QIVListValQIVBaseUnknown_var& extracted,
                            const QIVListValQIVBaseUnknown_var* selection) override;
  void BuildEditor(QIVDlgFrame* page) override;
  void SetPropertyValue(QIVListValQIVBaseUnknown_var& extracted, int mode) override;
  void CommitModification(QIVListValQIVBaseUnknown_var& extracted) override;
  void CancelModification(QIVListValQIVBaseUnknown_var& extracted) override;
  void CloseWindowFromEditor() override;
  QIVUnicodeString GetEditorTitle() override;

  const ZELBIWEditorKind& GetKind() const { return _kind; }
  ZELBIWEditPropertyDlg* GetPage() const { return _page.get(); }
  // The type name of the last entry examined, for the title; empty when it
  // was not of this kind.
  const QIVUnicodeString& GetTypeName() const { return _typeName; }

  const char* GetImplClassName() const override { return _kind.editorClass; }

 private:
  const ZELBIWEditorKind& _kind;
  QIVVar<ZELBIWEditPropertyDlg> _page;
  QIVUnicodeString _typeName;
};
