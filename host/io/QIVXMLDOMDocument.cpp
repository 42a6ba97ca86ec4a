#include "QIVXMLDOMDocument.h"

#include <libxml/chvalid.h>
#include <libxml/tree.h>
#include <libxml/xmlstring.h>

#include <memory>
#include <string_view>

namespace {
const xmlChar* XmlText(const QIVUnicodeString& text) {
  return reinterpret_cast<const xmlChar*>(text.ConvertToChar());
}

// Takes over a string libxml2 allocated.
QIVUnicodeString TakeText(xmlChar* text) {
  std::unique_ptr<xmlChar, decltype(xmlFree)> owned(text, xmlFree);
  return QIVUnicodeString(owned ? reinterpret_cast<const char*>(owned.get()) : "");
}

bool IsShownNode(xmlNodePtr node) {
  return node->type == XML_ELEMENT_NODE || node->type == XML_TEXT_NODE ||
         node->type == XML_CDATA_SECTION_NODE;
}

// The attribute's name as written, with its prefix when it has one.
QIVUnicodeString AttributeName(xmlAttrPtr attribute) {
  QIVUnicodeString name;
  if (attribute->ns && attribute->ns->prefix)
    name = QIVUnicodeString(reinterpret_cast<const char*>(attribute->ns->prefix)) + ":";
  return name + reinterpret_cast<const char*>(attribute->name);
}

// Compared in place: elements of a large file get many attributes, and
// building each name to compare it would cost an allocation apiece.
bool HasName(xmlAttrPtr attribute, std::string_view name) {
  const std::string_view local(reinterpret_cast<const char*>(attribute->name));
  if (!attribute->ns || !attribute->ns->prefix) return name == local;
  const std::string_view prefix(reinterpret_cast<const char*>(attribute->ns->prefix));
  return name.size() == prefix.size() + 1 + local.size() && name.starts_with(prefix) &&
         name[prefix.size()] == ':' && name.ends_with(local);
}

xmlAttrPtr FindAttribute(xmlNodePtr element, const QIVUnicodeString& name) {
  for (xmlAttrPtr attribute = element->properties; attribute; attribute = attribute->next)
    if (HasName(attribute, name.view())) return attribute;
  return nullptr;
}
}  // namespace

QIVXMLDOMNode::QIVXMLDOMNode(QIVXMLDOMDocument* owner, xmlNodePtr node)
    : _node(node), _document(owner ? owner : static_cast<QIVXMLDOMDocument*>(this)), _keepTreeAlive(owner) {
  _node->_private = this;
}

QIVXMLDOMNode::~QIVXMLDOMNode() {
  if (_node) _node->_private = nullptr;
}

QIVIDOMNode::NodeType QIVXMLDOMNode::GetNodeType() const {
  switch (_node->type) {
    case XML_ELEMENT_NODE:
      return ElementNode;
    case XML_DOCUMENT_NODE:
      return DocumentNode;
    default:
      return TextNode;
  }
}

QIVUnicodeString QIVXMLDOMNode::GetNodeName() const {
  switch (GetNodeType()) {
    case DocumentNode:
      return "#document";
    case TextNode:
      return "#text";
    case ElementNode:
      break;
  }
  QIVUnicodeString name;
  if (_node->ns && _node->ns->prefix)
    name = QIVUnicodeString(reinterpret_cast<const char*>(_node->ns->prefix)) + ":";
  return name + reinterpret_cast<const char*>(_node->name);
}

QIVUnicodeString QIVXMLDOMNode::GetTextContent() const { return TakeText(xmlNodeGetContent(_node)); }

HRESULT QIVXMLDOMNode::AppendChild(const QIVIDOMNode_var& child) {
  auto* node = dynamic_cast<QIVXMLDOMNode*>(child.get());
  if (!node || &node->Owner() != &Owner()) return E_INVALIDARG;
  return Owner().Attach(_node, node->_node);
}

HRESULT QIVXMLDOMNode::GetChildNodes(QIVListValQIVBaseUnknown_var& children) const {
  children.RemoveAll();
  for (xmlNodePtr child = _node->children; child; child = child->next)
    if (QIVIDOMNode_var wrapped = Owner().Wrap(child)) children.Append(QIVBaseUnknown_var(wrapped));
  return S_OK;
}

HRESULT QIVXMLDOMNode::GetParentNode(QIVIDOMNode_var& parent) const {
  parent = _node->parent ? Owner().Wrap(_node->parent) : nullptr;
  return parent ? S_OK : E_FAIL;
}

HRESULT QIVXMLDOMNode::GetOwnerDocument(QIVIDOMDocument_var& document) const {
  document = QIVIDOMDocument_var(&Owner());
  return S_OK;
}

HRESULT QIVXMLDOMElement::SetAttribute(const QIVUnicodeString& name, const QIVUnicodeString& value) {
  if (xmlValidateQName(XmlText(name), 0) != 0 || !QIVXMLDOMDocument::IsXMLText(value)) return E_INVALIDARG;
  // A known name keeps its place; a new one goes last.
  // libxml2 takes both values literally, so markup characters are escaped
  // when written.
  xmlAttrPtr attribute = FindAttribute(_node, name);
  attribute = attribute ? xmlSetNsProp(_node, attribute->ns, attribute->name, XmlText(value))
                        : xmlNewProp(_node, XmlText(name), XmlText(value));
  return attribute ? S_OK : E_OUTOFMEMORY;
}

HRESULT QIVXMLDOMElement::GetAttribute(const QIVUnicodeString& name, QIVUnicodeString& value) const {
  xmlAttrPtr attribute = FindAttribute(_node, name);
  if (!attribute) return E_FAIL;
  value = TakeText(xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attribute)));
  return S_OK;
}

HRESULT QIVXMLDOMElement::GetAttributeNames(QIVListValQIVUnicodeString& names) const {
  names.RemoveAll();
  for (xmlAttrPtr attribute = _node->properties; attribute; attribute = attribute->next)
    names.Append(AttributeName(attribute));
  return S_OK;
}

QIVXMLDOMDocument::QIVXMLDOMDocument(xmlDocPtr document)
    : QIVXMLDOMNode(nullptr, reinterpret_cast<xmlNodePtr>(document)) {}

QIVXMLDOMDocument::~QIVXMLDOMDocument() {
  for (xmlNodePtr node : _detached) xmlFreeNode(node);
  xmlFreeDoc(Document());
  _node = nullptr;
}

HRESULT QIVXMLDOMDocument::GetDocumentElement(QIVIDOMElement_var& element) const {
  xmlNodePtr root = xmlDocGetRootElement(Document());
  element = root ? QIVIDOMElement_var(const_cast<QIVXMLDOMDocument*>(this)->Wrap(root)) : nullptr;
  return element ? S_OK : E_FAIL;
}

HRESULT QIVXMLDOMDocument::CreateElement(const QIVUnicodeString& tagName, QIVIDOMElement_var& element) {
  element = nullptr;
  if (xmlValidateQName(XmlText(tagName), 0) != 0) return E_INVALIDARG;
  xmlNodePtr node = xmlNewDocNode(Document(), nullptr, XmlText(tagName), nullptr);
  if (!node) return E_OUTOFMEMORY;
  _detached.insert(node);
  element = QIVIDOMElement_var(Wrap(node));
  return S_OK;
}

HRESULT QIVXMLDOMDocument::CreateTextNode(const QIVUnicodeString& text, QIVIDOMNode_var& node) {
  node = nullptr;
  if (!IsXMLText(text)) return E_INVALIDARG;
  xmlNodePtr created = xmlNewDocText(Document(), XmlText(text));
  if (!created) return E_OUTOFMEMORY;
  _detached.insert(created);
  node = Wrap(created);
  return S_OK;
}

QIVIDOMNode_var QIVXMLDOMDocument::Wrap(xmlNodePtr node) {
  if (node->_private) return QIVIDOMNode_var(static_cast<QIVXMLDOMNode*>(node->_private));
  if (!IsShownNode(node)) return nullptr;
  QIVXMLDOMNode* made = node->type == XML_ELEMENT_NODE
                            ? static_cast<QIVXMLDOMNode*>(new QIVXMLDOMElement(this, node))
                            : new QIVXMLDOMText(this, node);
  return QIVIDOMNode_var::Adopt(made);
}

HRESULT QIVXMLDOMDocument::Attach(xmlNodePtr parent, xmlNodePtr child) {
  if (child->type == XML_DOCUMENT_NODE || parent->type == XML_TEXT_NODE) return E_INVALIDARG;
  for (xmlNodePtr above = parent; above; above = above->parent)
    if (above == child) return E_INVALIDARG;
  if (parent->type == XML_DOCUMENT_NODE &&
      (child->type != XML_ELEMENT_NODE || (xmlDocGetRootElement(Document()) && child->parent != parent)))
    return E_INVALIDARG;
  // Linked by hand: libxml2's own append may merge a text into its
  // neighbour and free it while a node object still stands for it.
  xmlUnlinkNode(child);
  _detached.erase(child);
  child->parent = parent;
  child->prev = parent->last;
  if (parent->last)
    parent->last->next = child;
  else
    parent->children = child;
  parent->last = child;
  return S_OK;
}

bool QIVXMLDOMDocument::IsXMLText(const QIVUnicodeString& text) {
  const auto* bytes = XmlText(text);
  int left = text.GetLengthInByte();
  while (left > 0) {
    int length = left;
    const int character = xmlGetUTF8Char(bytes, &length);
    if (character < 0 || !xmlIsCharQ(character)) return false;
    bytes += length;
    left -= length;
  }
  return true;
}
