#pragma once

#include <libxml/tree.h>

#include <unordered_set>

#include "QIVIDOMDocument.h"

class QIVXMLDOMDocument;

// A node of a libxml2 tree seen through the DOM interfaces. The tree
// belongs to its document; every node object keeps the document alive, so
// a node never outlives its tree. One node object stands for one tree node
// at a time, so handles on the same node compare equal.
class QIVXMLDOMNode : public virtual QIVIDOMNode {
 public:
  const char* GetImplClassName() const override { return "QIVXMLDOMNode"; }

  NodeType GetNodeType() const override;
  QIVUnicodeString GetNodeName() const override;
  QIVUnicodeString GetTextContent() const override;
  HRESULT AppendChild(const QIVIDOMNode_var& child) override;
  HRESULT GetChildNodes(QIVListValQIVBaseUnknown_var& children) const override;
  HRESULT GetParentNode(QIVIDOMNode_var& parent) const override;
  HRESULT GetOwnerDocument(QIVIDOMDocument_var& document) const override;

  xmlNodePtr Node() const { return _node; }

 protected:
  // `owner` is null for the document's own node.
  QIVXMLDOMNode(QIVXMLDOMDocument* owner, xmlNodePtr node);
  ~QIVXMLDOMNode() override;

  QIVXMLDOMDocument& Owner() const { return *_document; }

  xmlNodePtr _node;

 private:
  QIVXMLDOMDocument* _document;
  // Empty for the document itself, which must not hold itself.
  QIVBaseUnknown_var _keepTreeAlive;
};

class QIVXMLDOMElement : public QIVXMLDOMNode, public QIVIDOMElement {
 public:
  QIVXMLDOMElement(QIVXMLDOMDocument* owner, xmlNodePtr node) : QIVXMLDOMNode(owner, node) {}
  const char* GetImplClassName() const override { return "QIVXMLDOMElement"; }

  QIVUnicodeString GetTagName() const override { return GetNodeName(); }
  HRESULT SetAttribute(const QIVUnicodeString& name, const QIVUnicodeString& value) override;
  HRESULT GetAttribute(const QIVUnicodeString& name, QIVUnicodeString& value) const override;
  HRESULT GetAttributeNames(QIVListValQIVUnicodeString& names) const override;
};

class QIVXMLDOMText : public QIVXMLDOMNode {
 public:
  QIVXMLDOMText(QIVXMLDOMDocument* owner, xmlNodePtr node) : QIVXMLDOMNode(owner, node) {}
  const char* GetImplClassName() const override { return "QIVXMLDOMText"; }
};

// Owns a libxml2 document and the nodes created for it that are not (yet)
// in its tree.
class QIVXMLDOMDocument : public QIVXMLDOMNode, public QIVIDOMDocument {
 public:
  // Takes over `document`.
  explicit QIVXMLDOMDocument(xmlDocPtr document);
  ~QIVXMLDOMDocument() override;
  const char* GetImplClassName() const override { return "QIVXMLDOMDocument"; }

  HRESULT GetDocumentElement(QIVIDOMElement_var& element) const override;
  HRESULT CreateElement(const QIVUnicodeString& tagName, QIVIDOMElement_var& element) override;
  HRESULT CreateTextNode(const QIVUnicodeString& text, QIVIDOMNode_var& node) override;

  xmlDocPtr Document() const { return reinterpret_cast<xmlDocPtr>(_node); }

  // The node object of a tree node of this document, made on first use;
  // empty for node kinds the DOM does not show (comments, instructions).
  QIVIDOMNode_var Wrap(xmlNodePtr node);
  // Links `child` as the last child of `parent`; both are of this document.
  HRESULT Attach(xmlNodePtr parent, xmlNodePtr child);

  // Whether a text can be carried by XML: UTF-8 made of XML characters.
  static bool IsXMLText(const QIVUnicodeString& text);

 private:
  std::unordered_set<xmlNodePtr> _detached;
};
