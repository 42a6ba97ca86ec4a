#pragma once

#include "QIVDialog.h"

// A text (its title) or an icon; a person cannot act on it.
class QIVDlgLabel : public QIVDialog {
 public:
  QIVDlgLabel(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style) {}

  const char* GetImplClassName() const override { return "QIVDlgLabel"; }

 protected:
  const char* KindName() const override { return "label"; }
};
