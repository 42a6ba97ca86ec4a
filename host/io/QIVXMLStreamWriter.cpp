#include "QIVXMLStreamWriter.h"

#include <libxml/parser.h>

#include "QIVXMLDOMDocument.h"

namespace {
const xmlChar* XmlText(const QIVUnicodeString& text) { return reinterpret_cast<const xmlChar*>(text.ConvertToChar()); }
}  // namespace

QIVXMLStreamWriter::QIVXMLStreamWriter() = default;
QIVXMLStreamWriter::~QIVXMLStreamWriter() = default;

int QIVXMLStreamWriter::WriteOut(void* context, const char* data, int length) {
  static_cast<QIVAtomicFile*>(context)->Write(std::string_view(data, static_cast<std::size_t>(length)));
  return length;
}

HRESULT QIVXMLStreamWriter::Open(const QIVUnicodeString& path, const QIVUnicodeString& rootName,
                                 QIVUnicodeString& errorText) {
  _writer.reset();
  _failed = false;
  _path = path;
  if (xmlValidateQName(XmlText(rootName), 0) != 0) {
    errorText = "cannot write " + path + ": the root element's name is not an XML name";
    return E_INVALIDARG;
  }
  if (FAILED(_file.Open(path, errorText))) return E_FAIL;
  xmlOutputBufferPtr output = xmlOutputBufferCreateIO(&QIVXMLStreamWriter::WriteOut, nullptr, &_file, nullptr);
  if (output) _writer.reset(xmlNewTextWriter(output));
  if (!_writer || xmlTextWriterSetIndent(_writer.get(), 1) < 0 ||
      xmlTextWriterSetIndentString(_writer.get(), reinterpret_cast<const xmlChar*>("  ")) < 0 ||
      xmlTextWriterStartDocument(_writer.get(), "1.0", "UTF-8", nullptr) < 0 ||
      xmlTextWriterStartElement(_writer.get(), XmlText(rootName)) < 0) {
    _writer.reset();
    _file.Abandon();
    errorText = "cannot write " + path + ": no XML writer could be made";
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT QIVXMLStreamWriter::StartElement(const QIVUnicodeString& name) {
  if (!_writer || _failed) return E_FAIL;
  if (xmlValidateQName(XmlText(name), 0) != 0) return E_INVALIDARG;
  _failed = xmlTextWriterStartElement(_writer.get(), XmlText(name)) < 0;
  return _failed ? E_FAIL : S_OK;
}

HRESULT QIVXMLStreamWriter::Attribute(const QIVUnicodeString& name, const QIVUnicodeString& value) {
  if (!_writer || _failed) return E_FAIL;
  if (xmlValidateQName(XmlText(name), 0) != 0 || !QIVXMLDOMDocument::IsXMLText(value)) return E_INVALIDARG;
  _failed = xmlTextWriterWriteAttribute(_writer.get(), XmlText(name), XmlText(value)) < 0;
  return _failed ? E_FAIL : S_OK;
}

HRESULT QIVXMLStreamWriter::EndElement() {
  if (!_writer || _failed) return E_FAIL;
  _failed = xmlTextWriterEndElement(_writer.get()) < 0;
  return _failed ? E_FAIL : S_OK;
}

HRESULT QIVXMLStreamWriter::Commit(QIVUnicodeString& errorText) {
  if (!_writer || _failed || xmlTextWriterEndDocument(_writer.get()) < 0) {
    _writer.reset();
    _file.Abandon();
    errorText = "cannot write " + _path + ": the XML writer failed";
    return E_FAIL;
  }
  // Freeing the writer flushes and closes its output into the file.
  _writer.reset();
  return _file.Commit(errorText);
}
