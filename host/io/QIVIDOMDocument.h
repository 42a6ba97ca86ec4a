#pragma once

#include "QIVIDOMElement.h"
#include "QIVIDOMNode.h"

// An XML document: its one document element and the factory of the nodes
// that go into its tree. A created node stays out of the tree until it is
// appended.
class QIVIDOMDocument : public QIVInterface<QIVIDOMDocument> {
 public:
  static constexpr const char* InterfaceName = "QIVIDOMDocument";

  // E_FAIL while the document has no element.
  virtual HRESULT GetDocumentElement(QIVIDOMElement_var& element) const = 0;
  // E_INVALIDARG for a tag that is not an XML name.
  virtual HRESULT CreateElement(const QIVUnicodeString& tagName, QIVIDOMElement_var& element) = 0;
  // E_INVALIDARG for a text that is not UTF-8 or holds a character XML
  // cannot carry.
  virtual HRESULT CreateTextNode(const QIVUnicodeString& text, QIVIDOMNode_var& node) = 0;
};
using QIVIDOMDocument_var = QIVVar<QIVIDOMDocument>;
