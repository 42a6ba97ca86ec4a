#include "QIVXMLDOMDocumentBuilder.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>
#include <string>

#include "QIVAtomicFile.h"
#include "QIVFile.h"
#include "QIVXMLDOMDocument.h"
#include "QIVXMLErrorReason.h"

namespace {
const xmlChar* XmlText(const QIVUnicodeString& text) {
  return reinterpret_cast<const xmlChar*>(text.ConvertToChar());
}

QIVXMLDOMDocument* AsOurDocument(const QIVIDOMDocument_var& document) {
  return dynamic_cast<QIVXMLDOMDocument*>(document.get());
}

HRESULT Serialise(const QIVIDOMDocument_var& document, std::string& text) {
  QIVXMLDOMDocument* ours = AsOurDocument(document);
  if (!ours) return E_INVALIDARG;
  xmlChar* buffer = nullptr;
  int size = 0;
  xmlDocDumpFormatMemoryEnc(ours->Document(), &buffer, &size, "UTF-8", 1);
  std::unique_ptr<xmlChar, decltype(xmlFree)> owned(buffer, xmlFree);
  if (!owned) return E_OUTOFMEMORY;
  text.assign(reinterpret_cast<const char*>(owned.get()), size);
  return S_OK;
}

}  // namespace

HRESULT CreateQIVIXMLDOMDocumentBuilder(const char* classId, QIVIXMLDOMDocumentBuilder_var& builder) {
  builder = nullptr;
  if (!classId || std::strcmp(classId, CLSID_XML4C_DOM) != 0) return E_INVALIDARG;
  static const bool initialised = (xmlInitParser(), true);
  (void)initialised;
  builder = QIVMake<QIVXMLDOMDocumentBuilder>();
  return S_OK;
}

HRESULT QIVXMLDOMDocumentBuilder::GetDOMImplementation(QIVIDOMImplementation_var& implementation) {
  implementation = QIVIDOMImplementation_var(this);
  return S_OK;
}

HRESULT QIVXMLDOMDocumentBuilder::CreateDocument(const QIVUnicodeString& namespaceURI,
                                                 const QIVUnicodeString& qualifiedName,
                                                 QIVIDOMDocument_var& document) {
  document = nullptr;
  if (xmlValidateQName(XmlText(qualifiedName), 0) != 0 || !QIVXMLDOMDocument::IsXMLText(namespaceURI))
    return E_INVALIDARG;
  const int colon = qualifiedName.SearchSubString(":");
  if (colon >= 0 && namespaceURI.IsEmpty()) return E_INVALIDARG;

  xmlDocPtr doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
  if (!doc) return E_OUTOFMEMORY;
  auto made = QIVMake<QIVXMLDOMDocument>(doc);
  const QIVUnicodeString localName = colon >= 0 ? qualifiedName.SubString(colon + 1) : qualifiedName;
  xmlNodePtr root = xmlNewDocNode(doc, nullptr, XmlText(localName), nullptr);
  if (!root) return E_OUTOFMEMORY;
  xmlDocSetRootElement(doc, root);
  if (!namespaceURI.IsEmpty()) {
    const QIVUnicodeString prefix = qualifiedName.SubString(0, colon);
    xmlNsPtr ns = xmlNewNs(root, XmlText(namespaceURI), colon >= 0 ? XmlText(prefix) : nullptr);
    if (!ns) return E_OUTOFMEMORY;
    xmlSetNs(root, ns);
  }
  document = QIVIDOMDocument_var(made.get());
  return S_OK;
}

HRESULT QIVXMLDOMDocumentBuilder::WriteToString(const QIVIDOMDocument_var& document, QIVUnicodeString& text) {
  std::string serialised;
  const HRESULT rc = Serialise(document, serialised);
  if (SUCCEEDED(rc)) text = QIVUnicodeString(std::move(serialised));
  return rc;
}

HRESULT QIVXMLDOMDocumentBuilder::WriteToFile(const QIVIDOMDocument_var& document,
                                              const QIVUnicodeString& path, QIVUnicodeString& errorText) {
  std::string serialised;
  if (FAILED(Serialise(document, serialised))) {
    errorText = "cannot write " + path + ": no document to write";
    return E_INVALIDARG;
  }
  return QIVWriteFileAtomically(path, serialised, errorText);
}

HRESULT QIVXMLDOMDocumentBuilder::Parse(const QIVUnicodeString& path, QIVIDOMDocument_var& document,
                                        QIVUnicodeString& errorText) {
  document = nullptr;
  std::string content;
  if (FAILED(QIVReadWholeFile(path, content, errorText))) return E_FAIL;

  std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> context(xmlNewParserCtxt(), xmlFreeParserCtxt);
  if (!context) return E_OUTOFMEMORY;
  // No network, no external entities, no messages on the console: the
  // caller reports the first error.
  xmlDocPtr doc = xmlCtxtReadMemory(
      context.get(), content.data(), static_cast<int>(content.size()), path.ConvertToChar(), nullptr,
      XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc || !context->wellFormed) {
    if (doc) xmlFreeDoc(doc);
    const xmlError* error = xmlCtxtGetLastError(context.get());
    errorText = QIVUnicodeString::Format("%s:%d: %s", path.ConvertToChar(), error ? error->line : 0,
                                         QIVXMLErrorReason(error ? error->message : nullptr).c_str());
    return E_FAIL;
  }
  document = QIVIDOMDocument_var(QIVMake<QIVXMLDOMDocument>(doc).get());
  return S_OK;
}
