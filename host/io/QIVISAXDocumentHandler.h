#pragma once

#include "QIVISAXAttributeList.h"
#include "QIVISAXLocator.h"
#include "QIVVar.h"

// Hears the content of an XML file as the parser reads it. A failed event
// (a negative status) stops the reading, which the parser reports as a
// fatal error at that place.
class QIVISAXDocumentHandler : public QIVInterface<QIVISAXDocumentHandler> {
 public:
  static constexpr const char* InterfaceName = "QIVISAXDocumentHandler";

  // Given before the first event, and null after the last.
  virtual HRESULT SetDocumentLocator(const QIVISAXLocator* locator) = 0;
  virtual HRESULT StartDocument() = 0;
  virtual HRESULT EndDocument() = 0;
  // The qualified name as written and the attributes of the start tag.
  virtual HRESULT StartElement(const QIVUnicodeString& name, const QIVISAXAttributeList* attributes) = 0;
  virtual HRESULT EndElement(const QIVUnicodeString& name) = 0;
  // The character data between two tags, in one event however the file
  // was cut into blocks (up to 1 MiB an event); the locator stands right
  // after it meanwhile.
  virtual HRESULT Characters(const QIVUnicodeString& text) = 0;
  virtual HRESULT IgnorableWhiteSpace(const QIVUnicodeString& text) = 0;
  virtual HRESULT ProcessingInstruction(const QIVUnicodeString& target, const QIVUnicodeString& data) = 0;
};
using QIVISAXDocumentHandler_var = QIVVar<QIVISAXDocumentHandler>;
