#pragma once

#include "QIVDialog.h"

// A titled container of widgets.
class QIVDlgFrame : public QIVDialog {
 public:
  QIVDlgFrame(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style) {}

  const char* GetImplClassName() const override { return "QIVDlgFrame"; }

 protected:
  const char* KindName() const override { return "frame"; }
};
