#pragma once

#include "QIVStateCommand.h"

class ZELVekBIWWeldAccountabilityDlg;

// The weld report in its dialog; each picked product becomes the report's
// current product. Ends when the dialog is closed.
class ZELVekBIWWeldAccountabilityCmd : public QIVStateCommand {
 public:
  ZELVekBIWWeldAccountabilityCmd();
  ~ZELVekBIWWeldAccountabilityCmd() override;

  const char* GetImplClassName() const override { return "ZELVekBIWWeldAccountabilityCmd"; }
  const char* GetResourceFilename(int level) const override;

  void BuildGraph() override;
  void Activate() override;
  void Desactivate() override;
  void Cancel() override;

  // Actions; the argument is not used.
  bool ProductSelected(void* data);
  bool CloseWeldAccountabilityDlg(void* data);

  ZELVekBIWWeldAccountabilityDlg* GetDialog() const { return _pDlg; }

 private:
  ZELVekBIWWeldAccountabilityDlg* _pDlg = nullptr;
  QIVDialogAgent* _pDlgAgent = nullptr;
  QIVPathElementAgent* _pProductAgent = nullptr;
};
