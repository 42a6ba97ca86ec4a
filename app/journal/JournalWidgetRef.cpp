#include "JournalWidgetRef.h"

std::optional<JournalWidgetRef> JournalWidgetRef::Parse(std::string_view text, QIVUnicodeString& reason) {
  JournalWidgetRef ref;
  std::size_t start = 0;
  while (true) {
    const std::size_t slash = text.find('/', start);
    const std::string_view name =
        text.substr(start, slash == std::string_view::npos ? text.npos : slash - start);
    if (name.empty()) {
      reason = "bad widget reference '" + QIVUnicodeString(text) + "': empty widget name";
      return std::nullopt;
    }
    ref._path.emplace_back(name);
    if (slash == std::string_view::npos) return ref;
    start = slash + 1;
  }
}

const QIVUnicodeString& JournalWidgetRef::GetName() const {
  static const QIVUnicodeString none;
  return _path.empty() ? none : _path.back();
}

QIVUnicodeString JournalWidgetRef::Format() const {
  QIVUnicodeString text;
  for (const QIVUnicodeString& name : _path) {
    if (!text.IsEmpty()) text += '/';
    text += name;
  }
  return text;
}
