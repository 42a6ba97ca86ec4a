#pragma once

#include "JournalObjectRef.h"
#include "QIVIDocument.h"
#include "QIVPathElement.h"

// Turns a journal's object reference into the path a pick delivers: the
// objects from the root of the object's tree down to it.
class JournalObjectResolver {
 public:
  explicit JournalObjectResolver(QIVIDocument_var document) : _document(std::move(document)) {}

  // The path, or an empty handle with the reason ("no activity
  // Process/Station.9": the first name that was not found).
  QIVPathElement_var Resolve(const JournalObjectRef& reference, QIVUnicodeString& reason) const;

 private:
  QIVPathElement_var ResolveTreePath(const JournalObjectRef& reference, QIVUnicodeString& reason) const;

  QIVIDocument_var _document;
};
