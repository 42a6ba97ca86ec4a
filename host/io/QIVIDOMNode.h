#pragma once

#include "QIVListVal.h"
#include "QIVUnicodeString.h"

class QIVIDOMDocument;

// A node of an XML document tree: the document itself, an element or a
// text. Nodes belong to the document that created them; a node appended
// elsewhere in the same document moves there.
class QIVIDOMNode : public QIVInterface<QIVIDOMNode> {
 public:
  static constexpr const char* InterfaceName = "QIVIDOMNode";

  enum NodeType { ElementNode = 1, TextNode = 3, DocumentNode = 9 };

  virtual NodeType GetNodeType() const = 0;
  // The tag of an element, "#text" or "#document".
  virtual QIVUnicodeString GetNodeName() const = 0;
  // The text held by the node and all its descendants, in document order.
  virtual QIVUnicodeString GetTextContent() const = 0;

  // Appends `child` as the last child. E_INVALIDARG when the child belongs
  // to another document, is a document, is this node or one of its
  // ancestors, or when the document would get a second element or a text.
  virtual HRESULT AppendChild(const QIVVar<QIVIDOMNode>& child) = 0;
  // The children in order, each offering QIVIDOMNode.
  virtual HRESULT GetChildNodes(QIVListValQIVBaseUnknown_var& children) const = 0;
  // E_FAIL for a node that is not in a tree.
  virtual HRESULT GetParentNode(QIVVar<QIVIDOMNode>& parent) const = 0;
  virtual HRESULT GetOwnerDocument(QIVVar<QIVIDOMDocument>& document) const = 0;
};
using QIVIDOMNode_var = QIVVar<QIVIDOMNode>;
