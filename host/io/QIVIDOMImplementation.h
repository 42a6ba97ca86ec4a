#pragma once

#include "QIVIDOMDocument.h"

// Creates documents.
class QIVIDOMImplementation : public QIVInterface<QIVIDOMImplementation> {
 public:
  static constexpr const char* InterfaceName = "QIVIDOMImplementation";

  // A document whose element is named `qualifiedName` ("prefix:local" or
  // "local"), in the namespace `namespaceURI` when that is not empty.
  // E_INVALIDARG for a name that is not a qualified XML name, or a prefix
  // without a namespace.
  virtual HRESULT CreateDocument(const QIVUnicodeString& namespaceURI, const QIVUnicodeString& qualifiedName,
                                 QIVIDOMDocument_var& document) = 0;
};
using QIVIDOMImplementation_var = QIVVar<QIVIDOMImplementation>;
