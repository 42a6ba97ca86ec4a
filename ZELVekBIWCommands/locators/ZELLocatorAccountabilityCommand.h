#pragma once

#include "QIVStateCommand.h"

class ZELLocatorAccountabilityDialog;

// Reports to which activities each locating and clamping point is
// assigned, for one picked product or for the whole document. The report
// opens on the whole document; each product picked becomes the one
// reported on and is highlighted. Closing the dialog ends the command.
class ZELLocatorAccountabilityCommand : public QIVStateCommand {
 public:
  ZELLocatorAccountabilityCommand();
  ~ZELLocatorAccountabilityCommand() override;

  const char* GetImplClassName() const override { return "ZELLocatorAccountabilityCommand"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Activate() override;
  void Desactivate() override;
  void Cancel() override;

  // Actions of the graph; the argument is not used.
  bool ProductSelected(void* data);
  bool CloseLocatorAccountabilityDlg(void* data);

  ZELLocatorAccountabilityDialog* GetDialog() const { return _pDialog; }

 private:
  ZELLocatorAccountabilityDialog* _pDialog = nullptr;
  QIVDialogAgent* _pDialogAgent = nullptr;
  QIVPathElementAgent* _pProductAgent = nullptr;
};
