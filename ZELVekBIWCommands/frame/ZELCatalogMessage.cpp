#include "ZELCatalogMessage.h"

#include "QIVApplicationFrame.h"
#include "QIVDlgNotify.h"
#include "QIVMsgCatalog.h"

QIVUnicodeString ZELCatalogMessage::Message() const {
  return QIVMsgCatalog::BuildMessage(catalog, messageKey, params, paramCount, messageDefault);
}

QIVUnicodeString ZELCatalogMessage::Title() const {
  return QIVMsgCatalog::BuildMessage(catalog, titleKey, nullptr, 0, titleDefault);
}

int ZELCatalogMessage::Display(QIVCommand* parent) const {
  return ZELDisplayBlockedBox(parent, boxName, style, Message(), Title(), catalog, messageKey);
}

int ZELDisplayBlockedBox(QIVCommand* parent, const char* boxName, unsigned long style,
                         const QIVUnicodeString& message, const QIVUnicodeString& title, const char* catalog,
                         const char* key) {
  if (!parent) {
    if (QIVApplicationFrame* frame = QIVApplicationFrame::GetFrame()) parent = frame->GetMainWindow();
  }
  QIVVar<QIVDlgNotify> box = QIVMake<QIVDlgNotify>(parent, boxName, style);
  if (catalog) box->SetMessageSource(catalog, key ? key : "");
  return box->DisplayBlocked(message, title);
}
