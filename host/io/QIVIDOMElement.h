#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

// An element's attributes. They keep the order in which they were first
// set; setting an attribute again changes its value in place.
class QIVIDOMElement : public QIVInterface<QIVIDOMElement> {
 public:
  static constexpr const char* InterfaceName = "QIVIDOMElement";

  virtual QIVUnicodeString GetTagName() const = 0;
  // E_INVALIDARG for a name that is not an XML name, or a value that is not
  // UTF-8 or holds a character XML cannot carry.
  virtual HRESULT SetAttribute(const QIVUnicodeString& name, const QIVUnicodeString& value) = 0;
  // E_FAIL when the element has no such attribute.
  virtual HRESULT GetAttribute(const QIVUnicodeString& name, QIVUnicodeString& value) const = 0;
  virtual HRESULT GetAttributeNames(QIVListValQIVUnicodeString& names) const = 0;
};
using QIVIDOMElement_var = QIVVar<QIVIDOMElement>;
