#pragma once

#include "QIVDlgDialog.h"

class QIVDlgFrame;
class QIVDlgRadioButton;

// The options of the fastening synchronisation: synchronise the station in
// isolation ("RadioStationIsolation") or along the entire process
// ("RadioEntireProcess"). A check goes to the command that made it.
class ZELVekFasteningSyncDlg : public QIVDlgDialog {
 public:
  // On the application's main window; `command` hears the checks.
  explicit ZELVekFasteningSyncDlg(QIVCommand* command);
  ~ZELVekFasteningSyncDlg() override;

  const char* GetImplClassName() const override { return "ZELVekFasteningSyncDlg"; }

  // Checks the radio button of the mode.
  void Build(bool stationIsolation);
  void OnModeChecked(QIVCommand* sender, const QIVNotification& notification, void* data);
  bool IsStationIsolation() const;

 private:
  QIVCommand* _command;
  QIVDlgFrame* _pFrame = nullptr;
  QIVDlgRadioButton* _pIsolation = nullptr;
  QIVDlgRadioButton* _pEntireProcess = nullptr;
};
