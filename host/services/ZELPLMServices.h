#pragma once

#include <string>

#include "QIVRepository.h"
#include "QIVUnicodeString.h"
#include "QIVVar.h"

// The document's side of the plant's repository: the PLM identifiers its
// objects were given, its publication, and the repository the current
// editor works against.
class ZELPLMServices {
 public:
  // The identifier the repository knows the object by; empty (and S_FALSE)
  // until the object was published.
  static HRESULT GetPLMID(const QIVBaseUnknown_var& object, QIVUnicodeString& identifier);
  // The current editor's repository; null when there is none.
  static QIVRepository* GetCurrentRepository();
  // The identity of a published document (its process container's PLM
  // identifier); empty for a document never published.
  static std::string GetDocumentIdentity(const QIVBaseUnknown_var& document);

  // Publishes the document's fasteners, locators and clamping points with
  // their positions and assignments in one transaction, then gives the
  // document the identifiers and fastener versions the repository gave and
  // records, per fastener, the assignments other documents published.
  // Throws QIVSqlError (Conflict naming the fastener when another planner
  // published it meanwhile); the document is then unchanged.
  static QIVPublicationResult PublishDocument(const QIVBaseUnknown_var& document, QIVRepository& repository);
};
