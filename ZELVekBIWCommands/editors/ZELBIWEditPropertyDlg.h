#pragma once

#include <vector>

#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVListVal.h"
#include "ZELBIWEditorKind.h"

// The page of one kind of BIW activity in the property window: a frame of
// attribute rows (label, numeric editor, units label) that shows the
// attributes of the last selected activity and writes them back on commit.
// Every field takes numbers from 0 up; the editor refuses anything else.
class ZELBIWEditPropertyDlg : public QIVDlgFrame {
 public:
  static constexpr unsigned long PageFrameStyle = 0xC0001;
  static constexpr unsigned long AttributesFrameStyle = 1;
  static constexpr int Justification = 30;

  ZELBIWEditPropertyDlg(QIVCommand* parent, const ZELBIWEditorKind& kind);
  ~ZELBIWEditPropertyDlg() override;

  void Build();
  void SetPropertyValue(QIVListValQIVBaseUnknown_var& extracted, int mode);
  void CommitModification(QIVListValQIVBaseUnknown_var& extracted);
  void CancelModification(QIVListValQIVBaseUnknown_var& extracted);
  int WarnOnStringInput(const QIVUnicodeString& name);
  void ModifyEditorMode(QIVCommand* command, const QIVNotification& notification, void* data);
  // Tells the process roots that `object` changed, then updates the pods.
  void DispatchModifyEvent(QIVBaseUnknown* object);
  // Updates the activity's father and each ancestor above it while they
  // offer ZELIZitBltMgr.
  void UpdatePods(QIVBaseUnknown* object);

  const ZELBIWEditorKind& GetKind() const { return _kind; }
  QIVDlgFrame* GetAttributesFrame() const { return _attributes; }
  QIVDlgEditor* GetEditor(int row) const;

  const char* GetImplClassName() const override { return _kind.pageClass; }

 private:
  struct Row {
    QIVDlgLabel* label = nullptr;
    QIVDlgEditor* editor = nullptr;
    QIVDlgLabel* units = nullptr;
  };

  const ZELBIWEditorKind& _kind;
  std::vector<Row> _rows;
  QIVDlgFrame* _attributes = nullptr;
};
