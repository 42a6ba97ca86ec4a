#pragma once

#include "QIVDialog.h"

// A line between groups of widgets.
class QIVDlgSeparator : public QIVDialog {
 public:
  QIVDlgSeparator(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style) {}

  const char* GetImplClassName() const override { return "QIVDlgSeparator"; }

 protected:
  const char* KindName() const override { return "separator"; }
};
