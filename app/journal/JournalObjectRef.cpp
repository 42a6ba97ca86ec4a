#include "JournalObjectRef.h"

#include <array>
#include <utility>

#include "JournalWords.h"

namespace {
// Ids beyond 18 digits cannot be document ids and would overflow.
constexpr std::size_t kMaxIdDigits = 18;

constexpr std::array<std::pair<JournalObjectRef::Kind, const char*>, 5> kKinds{{
    {JournalObjectRef::Process, "process"},
    {JournalObjectRef::Product, "product"},
    {JournalObjectRef::Fastener, "fastener"},
    {JournalObjectRef::Feature, "feature"},
    {JournalObjectRef::Id, "id"},
}};

bool SplitPath(std::string_view value, std::vector<QIVUnicodeString>& path, QIVUnicodeString& reason) {
  std::string name;
  for (std::size_t i = 0; i <= value.size(); ++i) {
    if (i == value.size() || value[i] == '/') {
      if (name.empty()) {
        reason = "empty name in the path";
        return false;
      }
      path.emplace_back(std::move(name));
      name.clear();
    } else if (value[i] == '\\') {
      if (i + 1 == value.size() || (value[i + 1] != '/' && value[i + 1] != '\\')) {
        reason = "a \\ in a path must be followed by / or \\";
        return false;
      }
      name += value[++i];
    } else {
      name += value[i];
    }
  }
  return true;
}
}  // namespace

const char* JournalObjectRef::KindName(Kind kind) {
  for (const auto& [k, name] : kKinds)
    if (k == kind) return name;
  return "";
}

std::optional<JournalObjectRef> JournalObjectRef::Parse(std::string_view text, QIVUnicodeString& reason) {
  const auto fail = [&](const QIVUnicodeString& why) {
    reason = "bad object reference '" + QIVUnicodeString(text) + "': " + why;
    return std::nullopt;
  };
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos)
    return fail("expected KIND:VALUE with KIND process, product, fastener, feature or id");
  const std::string_view kindWord = text.substr(0, colon);
  const std::string_view value = text.substr(colon + 1);

  JournalObjectRef ref;
  bool known = false;
  for (const auto& [kind, name] : kKinds)
    if (kindWord == name) {
      ref._kind = kind;
      known = true;
    }
  if (!known)
    return fail("unknown kind '" + QIVUnicodeString(kindWord) +
                "' (expected process, product, fastener, feature or id)");

  switch (ref._kind) {
    case Process:
    case Product: {
      QIVUnicodeString why;
      if (!SplitPath(value, ref._path, why)) return fail(why);
      break;
    }
    case Fastener:
    case Feature:
      if (value.empty()) return fail("empty name");
      ref._path.emplace_back(value);
      break;
    case Id: {
      const std::optional<long long> id = JournalWords::ReadNumber(value, kMaxIdDigits);
      if (!id) return fail("an id is a number of at most 18 digits");
      ref._id = *id;
      break;
    }
  }
  return ref;
}

const QIVUnicodeString& JournalObjectRef::GetName() const {
  static const QIVUnicodeString none;
  return _path.empty() ? none : _path.back();
}

QIVUnicodeString JournalObjectRef::GetValueText() const {
  if (_kind == Id) return QIVUnicodeString::Format("%lld", _id);
  if (_kind == Fastener || _kind == Feature) return GetName();
  QIVUnicodeString text;
  for (std::size_t i = 0; i < _path.size(); ++i) {
    if (i > 0) text += '/';
    for (const char c : _path[i].view()) {
      if (c == '/' || c == '\\') text += '\\';
      text += c;
    }
  }
  return text;
}

QIVUnicodeString JournalObjectRef::GetText() const {
  return QIVUnicodeString(KindName(_kind)) + ":" + GetValueText();
}
