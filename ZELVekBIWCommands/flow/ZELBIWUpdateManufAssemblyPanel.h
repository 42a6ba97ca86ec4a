#pragma once

#include "QIVDlgDialog.h"
#include "QIVISPPActivityRoot.h"

class QIVDlgEditor;
class QIVDlgFrame;
class QIVDlgPushButton;
class QIVDlgRadioButton;

// The panel of the manufactured assembly update: update all activities or
// the picked one, start the update, see the picked activity, and switch the
// process's automatic update on or off. It speaks to its command only
// through standard notifications sent to its father:
//   OK, Cancel         the dialog's own buttons, passed on
//   MDIMaximize, Help  ButtonUpdate in all-activities or selected mode
//   Previous, Next     RBSelectedActivity, RBAllActivities chosen
class ZELBIWUpdateManufAssemblyPanel : public QIVDlgDialog {
 public:
  // Made on the application's main window.
  ZELBIWUpdateManufAssemblyPanel(const QIVUnicodeString& name, unsigned long style);
  ~ZELBIWUpdateManufAssemblyPanel() override;

  const char* GetImplClassName() const override { return "ZELBIWUpdateManufAssemblyPanel"; }

  void Build();
  // Shows `text` as the picked activity; an update may be asked again.
  void DisplayActivity(const QIVUnicodeString& text);
  void EnableUpdateButton();

  // The first process of the current editor's document; E_FAIL (0x80004005)
  // when there is no editor, document, process container or process.
  static HRESULT GetRootProcess(QIVISPPActivityRoot_var& root);

  void OnUpdateBtnPushNotificationCB(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnAllActivitiesRadioBtnCB(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnSelectedActivityRadioBtnCB(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnActiviteAutoRadioBtnCB(QIVCommand* sender, const QIVNotification& notification, void* data);
  void OnDeactivateAutoRadioBtnCB(QIVCommand* sender, const QIVNotification& notification, void* data);
  void DoOk(QIVCommand* sender, const QIVNotification& notification, void* data);
  void DoCancel(QIVCommand* sender, const QIVNotification& notification, void* data);

  int GetAutomaticUpdateFlag() const { return _iAutoUpdate; }

 private:
  void BuildPage();
  void ManageCallbacksAndEvents();
  // Switches the root process's automatic update to `automatic` when it is
  // not so already.
  static void SwitchAutomaticUpdate(bool automatic);
  void Signal(const char* kind);

  QIVDlgFrame* _pFrameUp = nullptr;
  QIVDlgFrame* _pFrameDn = nullptr;
  QIVDlgFrame* _pFrameUpdate = nullptr;
  QIVDlgFrame* _pFrameSelectActivity = nullptr;
  QIVDlgFrame* _pFrameActivityDisplay = nullptr;
  QIVDlgRadioButton* _pRBActivateAuto = nullptr;
  QIVDlgRadioButton* _pRBAllActivities = nullptr;
  QIVDlgRadioButton* _pRBDeactivateAuto = nullptr;
  QIVDlgRadioButton* _pRBSelectedActivity = nullptr;
  QIVDlgPushButton* _pButtonUpdate = nullptr;
  int _iAutoUpdate = 0;
  QIVDlgEditor* _pEditSelectedActivity = nullptr;
};
