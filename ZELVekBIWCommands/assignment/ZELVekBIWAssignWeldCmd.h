#pragma once

#include "QIVStateCommand.h"

class ZELVekBIWAssignWeldDlg;

// Manual weld assignment: the dialog holds the lists; the command takes
// the picks. A picked fastener selects its line, a picked product or
// activity becomes the current one (never the process root). The dialog's
// Close or its window's close box end the command.
class ZELVekBIWAssignWeldCmd : public QIVStateCommand {
 public:
  ZELVekBIWAssignWeldCmd();
  ~ZELVekBIWAssignWeldCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWAssignWeldCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Activate() override;
  void Desactivate() override;
  void Cancel() override;

  // Actions and the product filter; the argument is not used.
  bool WeldSelected(void* data);
  bool ProductSelected(void* data);
  bool ActivitySelected(void* data);
  bool CloseAssignWeldDlg(void* data);
  bool ProductHasFasteners(QIVPathElementAgent* agent, void* data);

  ZELVekBIWAssignWeldDlg* GetDialog() const { return _pDlg; }

 private:
  // Takes the agent's paths out of the editor's current selection.
  static void RemoveFromCSO(const QIVPathElementAgent* agent);

  ZELVekBIWAssignWeldDlg* _pDlg = nullptr;
  QIVDialogAgent* _pDlgAgent = nullptr;
  QIVPathElementAgent* _pWeldAgent = nullptr;
  QIVPathElementAgent* _pProductAgent = nullptr;
  QIVPathElementAgent* _pActivityAgent = nullptr;
  QIVAcquisitionFilter* _pProductFilter = nullptr;
};
