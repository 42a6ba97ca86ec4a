#include "ZELFileSelectionBox.h"

#include <utility>

#include "QIVCommandDeletion.h"
#include "QIVFileMenuMethods.h"

QIVDlgFile* ZELFileSelectionBox::Make(QIVCommand* owner, const Layout& layout, QIVBaseUnknown* document) {
  QIVDlgFile* box =
      QIVFileMenuMethods::CreateCurrentDocEnvDialogBox(owner, layout.title, layout.style, document);
  for (const Filter& filter : layout.filters) box->AddFilter(filter.name, filter.pattern);
  box->SetFilterPattern(layout.filterPattern);
  return box;
}

void ZELFileSelectionBox::Show() {
  if (_box) _box->SetVisibility(QIVDlgShow);
}

void ZELFileSelectionBox::Show(const QIVUnicodeString& directory) {
  if (_box) _box->SetDirectory(directory);
  Show();
}

void ZELFileSelectionBox::Close() {
  QIVDlgFile* box = std::exchange(_box, nullptr);
  if (!box) return;
  box->SetVisibility(QIVDlgHide);
  QIVCommandDeletion(box);
}
