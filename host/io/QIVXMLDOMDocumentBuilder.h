#pragma once

#include "QIVIXMLDOMDocumentBuilder.h"

// The host's XML DOM on libxml2. The builder is also the DOM
// implementation that creates its documents.
class QIVXMLDOMDocumentBuilder : public QIVIXMLDOMDocumentBuilder, public QIVIDOMImplementation {
 public:
  const char* GetImplClassName() const override { return "QIVXMLDOMDocumentBuilder"; }

  HRESULT GetDOMImplementation(QIVIDOMImplementation_var& implementation) override;
  HRESULT WriteToFile(const QIVIDOMDocument_var& document, const QIVUnicodeString& path,
                      QIVUnicodeString& errorText) override;
  HRESULT WriteToString(const QIVIDOMDocument_var& document, QIVUnicodeString& text) override;
  HRESULT Parse(const QIVUnicodeString& path, QIVIDOMDocument_var& document,
                QIVUnicodeString& errorText) override;

  HRESULT CreateDocument(const QIVUnicodeString& namespaceURI, const QIVUnicodeString& qualifiedName,
                         QIVIDOMDocument_var& document) override;
};
