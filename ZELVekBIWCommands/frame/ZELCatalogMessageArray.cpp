#include "ZELCatalogMessageArray.h"

#include <string>
#include <string_view>

#include "QIVMsgCatalog.h"

std::vector<QIVUnicodeString> ZELCatalogMessageArray(const char* catalog, const char* key,
                                                     std::vector<QIVUnicodeString> defaultItems) {
  const QIVMsgCatalog& texts = QIVMsgCatalog::LoadMsgCatalog(catalog);
  if (!texts.Contains(key)) return defaultItems;
  const QIVUnicodeString message = texts.GetCatalogMsg(key).GetText();
  const std::string_view text = message.view();
  std::vector<QIVUnicodeString> items;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    items.emplace_back(std::string(text.substr(start, end == std::string_view::npos ? end : end - start)));
    if (end == std::string_view::npos) return items;
    start = end + 1;
  }
}
