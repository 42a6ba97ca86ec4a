#pragma once

#include "QIVUnicodeString.h"
#include "QIVVar.h"

// A row of a resource list view: the item it shows, when one is set, and
// that item's type text ("Resource" for a resource).
class ZELIScrollListZitBltItemVisu : public QIVInterface<ZELIScrollListZitBltItemVisu> {
 public:
  static constexpr const char* InterfaceName = "ZELIScrollListZitBltItemVisu";

  // E_FAIL when no item is set.
  virtual HRESULT GetItem(QIVBaseUnknown_var& item) const = 0;
  virtual QIVUnicodeString GetItemType() const = 0;
};
using ZELIScrollListZitBltItemVisu_var = QIVVar<ZELIScrollListZitBltItemVisu>;
