#include "QIVFileMenuMethods.h"

QIVDlgFile* QIVFileMenuMethods::CreateCurrentDocEnvDialogBox(QIVCommand* parent,
                                                             const QIVUnicodeString& title,
                                                             unsigned long style, QIVBaseUnknown*) {
  auto* box = new QIVDlgFile(parent, "FileSelectionBox", style);
  box->SetTitle(title);
  return box;
}
