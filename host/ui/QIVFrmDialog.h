#pragma once

#include "QIVDlgDialog.h"

// The frame-level dialog box of the application; it behaves as QIVDlgDialog.
class QIVFrmDialog : public QIVDlgDialog {
 public:
  using QIVDlgDialog::QIVDlgDialog;

  const char* GetImplClassName() const override { return "QIVFrmDialog"; }
};
