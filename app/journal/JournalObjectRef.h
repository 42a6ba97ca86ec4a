#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "QIVUnicodeString.h"

// A document object as a journal names it, KIND:VALUE:
//   process:Process/Station.1   activity names from the process root, the root's own name first
//   product:Body/Floor.1        instance names from a root product, the root's own name first
//   fastener:"W0012, A"         a fastener's name
//   feature:LP_Floor_01         a BIW feature's name (group, locator, datum...)
//   id:42                       the object's id in the document
// In a path, / separates names; a name holding a / or a \ writes it \/ or
// \\ (inside journal quotes that is \\/ and \\\\). Fastener and feature
// names are taken whole.
class JournalObjectRef {
 public:
  enum Kind { Process, Product, Fastener, Feature, Id };

  // The reference written as the word `text`, or nothing with the reason.
  static std::optional<JournalObjectRef> Parse(std::string_view text, QIVUnicodeString& reason);
  static const char* KindName(Kind kind);

  Kind GetKind() const { return _kind; }
  // The names of a process or product path, outermost first; the single
  // name of a fastener or feature; empty for an id.
  const std::vector<QIVUnicodeString>& GetPath() const { return _path; }
  // The last name of the path: the object's own name.
  const QIVUnicodeString& GetName() const;
  long long GetId() const { return _id; }

  // The word as Parse reads it, without journal quotes.
  QIVUnicodeString GetText() const;

  friend bool operator==(const JournalObjectRef&, const JournalObjectRef&) = default;

 private:
  QIVUnicodeString GetValueText() const;

  Kind _kind = Id;
  std::vector<QIVUnicodeString> _path;
  long long _id = 0;
};
