#pragma once

#include "QIVDlgFile.h"

// Ready-made boxes of the application's file menu.
class QIVFileMenuMethods {
 public:
  // A file box named "FileSelectionBox" on `parent` (which owns it when it
  // is a widget), titled `title`. The box starts with no directory whatever
  // `document` is; callers give it one.
  static QIVDlgFile* CreateCurrentDocEnvDialogBox(QIVCommand* parent, const QIVUnicodeString& title,
                                                  unsigned long style, QIVBaseUnknown* document = nullptr);
};
