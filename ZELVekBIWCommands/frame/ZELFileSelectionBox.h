#pragma once

#include <vector>

#include "QIVDlgFile.h"

// The host file box a dialog opens to choose a file. Kept as a member of the
// dialog that owns the box: it makes the box when first asked, routes its OK
// and Cancel to the dialog, and frees it exactly once, when the dialog closes
// it or goes.
class ZELFileSelectionBox {
 public:
  struct Filter {
    const char* name;
    const char* pattern;
  };
  // What a dialog's box looks like; the name is always the host's.
  struct Layout {
    const char* title;
    unsigned long style;
    std::vector<Filter> filters;
    // Added by the owner to a name chosen without an extension; empty when
    // the owner takes the name as chosen.
    const char* filterPattern = "";
  };
  template <class T>
  using Callback = void (T::*)(QIVCommand* sender, const QIVNotification& notification, void* data);

  ZELFileSelectionBox() = default;
  ZELFileSelectionBox(const ZELFileSelectionBox&) = delete;
  ZELFileSelectionBox& operator=(const ZELFileSelectionBox&) = delete;
  ~ZELFileSelectionBox() { Close(); }

  // Makes the box over `owner` unless it is already there; its OK goes to
  // `onOK` and its Cancel to `onCancel` of the owner. `document` is the one
  // the host's file menu would start from, if any.
  template <class T>
  QIVDlgFile* Create(T* owner, const Layout& layout, Callback<T> onOK, Callback<T> onCancel,
                     QIVBaseUnknown* document = nullptr) {
    if (_box) return _box;
    _box = Make(owner, layout, document);
    owner->AddAnalyseNotificationCB(_box, QIVDialog::GetDiaOKNotification(), onOK);
    owner->AddAnalyseNotificationCB(_box, QIVDialog::GetDiaCANCELNotification(), onCancel);
    return _box;
  }

  // Nothing happens while there is no box.
  void Show();
  void Show(const QIVUnicodeString& directory);
  // Hides the box and frees it; the next Create makes a new one.
  void Close();

  // Null while there is no box.
  QIVDlgFile* Get() const { return _box; }

 private:
  static QIVDlgFile* Make(QIVCommand* owner, const Layout& layout, QIVBaseUnknown* document);

  // Borrowed: the owner holds the box's reference until Close hands it over.
  QIVDlgFile* _box = nullptr;
};
