#pragma once

#include <array>
#include <vector>

#include "QIVDlgDialog.h"
#include "QIVDlgEditor.h"
#include "QIVDlgFrame.h"
#include "QIVDlgLabel.h"
#include "QIVDlgPushButton.h"
#include "QIVISPPAbstractActivity.h"

// The dialog an activity creation command opens on the activity it has
// just created: the activity's name in an editable field and, for
// stations, groupings and fastening activities, a frame of planning
// attributes opened with "More>>". OK, Cancel and window close go to the
// owning command, which reads the name and lets the dialog write the
// attributes back; the change is then announced to the process views.
class ZELVekBIWCreateActivityDlg : public QIVDlgDialog {
 public:
  // The attribute layouts, in the order their type is tested.
  enum Layout { GroupingLayout, StationLayout, PointFasteningLayout, CurveFasteningLayout, LayoutCount };
  static constexpr int MaxAttributeRows = 4;

  struct AttributeRow {
    QIVDlgLabel* label = nullptr;
    QIVDlgEditor* editor = nullptr;
    QIVDlgLabel* units = nullptr;
  };

  // The editor names of a layout's rows, in row order.
  static std::vector<const char*> GetAttributeEditorNames(Layout layout);

  ZELVekBIWCreateActivityDlg();
  ~ZELVekBIWCreateActivityDlg() override;

  // Keeps the activity to build the dialog for; a null one is ignored.
  void GetCmdActivity(const QIVISPPAbstractActivity_var& activity);
  // Builds the widgets for the kept activity's kind.
  void Build();

  QIVUnicodeString GetActivityName() const;
  void SetActivityName(const QIVUnicodeString& name);

  // Loads the activity's stored attributes into the attribute editors.
  void GetActivityAttributes();
  // Writes the attribute editors to the activity and announces the change.
  void SetActivityAttributes();
  // Builds a new attribute frame with the activity's current values,
  // hidden.
  void InsertFrame();
  // Tells every process root that `object` was modified.
  void DispatchModifyEvent(QIVBaseUnknown* object);

  virtual void OnZELVekBIWCreateActivityDlgWindCloseNotification(QIVCommand* sender,
                                                                 const QIVNotification& notification,
                                                                 void* data);
  virtual void OnZELVekBIWCreateActivityDlgDiaCANCELNotification(QIVCommand* sender,
                                                                 const QIVNotification& notification,
                                                                 void* data);
  virtual void OnZELVekBIWCreateActivityDlgDiaOKNotification(QIVCommand* sender,
                                                             const QIVNotification& notification, void* data);
  virtual void OnZELVekBIWCreateActivityDlgOnAttributesPushBtnNotification(
      QIVCommand* sender, const QIVNotification& notification, void* data);

  const QIVISPPAbstractActivity_var& GetActivity() const { return _activity; }
  QIVDlgFrame* GetMainFrame() const { return _mainFrame; }
  QIVDlgFrame* GetAttributeFrame() const { return _attributeFrame; }
  QIVDlgPushButton* GetAttributesButton() const { return _attributesButton; }
  const AttributeRow& GetAttributeRow(Layout layout, int row) const { return _attributeRows[layout][row]; }
  bool HasAttributesButton() const { return _hasAttributesButton; }
  bool IsCollapsed() const { return _collapsed; }

  const char* GetImplClassName() const override { return "ZELVekBIWCreateActivityDlg"; }

 private:
  bool IsOfType(const QIVUnicodeString& type) const;
  // Passes the dialog's own OK, Cancel or window close to the command.
  void ForwardToCommand(const QIVNotification& notification);
  void TitleAttributesButton(const char* key, const char* defaultText, const char* arrows);

  QIVDlgFrame* _mainFrame = nullptr;
  QIVDlgLabel* _nameLabel = nullptr;
  QIVDlgEditor* _nameEditor = nullptr;
  QIVDlgFrame* _attributeFrame = nullptr;
  QIVDlgPushButton* _attributesButton = nullptr;
  std::array<std::array<AttributeRow, MaxAttributeRows>, LayoutCount> _attributeRows{};
  bool _hasAttributesButton = false;
  bool _collapsed = true;
  QIVISPPAbstractActivity_var _activity;
};
