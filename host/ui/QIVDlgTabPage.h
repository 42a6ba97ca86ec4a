#pragma once

#include "QIVDialog.h"

// One page of a tab container; its widgets are shown while it is the
// container's selected page.
class QIVDlgTabPage : public QIVDialog {
 public:
  QIVDlgTabPage(QIVCommand* parent, const QIVUnicodeString& name, unsigned long style = 0)
      : QIVDialog(parent, name, style) {}

  const char* GetImplClassName() const override { return "QIVDlgTabPage"; }

 protected:
  const char* KindName() const override { return "tab page"; }
};
