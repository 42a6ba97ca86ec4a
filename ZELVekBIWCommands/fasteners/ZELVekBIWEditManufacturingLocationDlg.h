#pragma once

#include "QIVDlgDialog.h"

// The manufacturing-location dialog started on its own from the module's
// entry point, on the application's main window.
class ZELVekBIWEditManufacturingLocationDlg : public QIVDlgDialog {
 public:
  explicit ZELVekBIWEditManufacturingLocationDlg(QIVCommand* parent)
      : QIVDlgDialog(parent, "ZELVekBIWEditManufacturingLocationDlg", 0x4040001ul) {}

  const char* GetImplClassName() const override { return "ZELVekBIWEditManufacturingLocationDlg"; }
};
