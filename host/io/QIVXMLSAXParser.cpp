#include "QIVXMLSAXParser.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "QIVFile.h"
#include "QIVXMLErrorReason.h"

namespace {

// Text longer than this between two tags goes to the handler in pieces of
// this size, so that one element's text cannot hold the whole file.
constexpr std::size_t kMaxTextEvent = 1 << 20;

std::string_view View(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

std::string QualifiedName(const xmlChar* prefix, const xmlChar* localName) {
  std::string name;
  if (prefix) name.append(View(prefix)).push_back(':');
  name.append(View(localName));
  return name;
}

// libxml2 keeps the entities of a document type declaration in a document
// of its own even for a SAX reading; it is the reader's to free.
struct ContextDeleter {
  void operator()(xmlParserCtxt* context) const {
    if (context->myDoc) xmlFreeDoc(context->myDoc);
    context->myDoc = nullptr;
    xmlFreeParserCtxt(context);
  }
};

}  // namespace

// One reading: the libxml2 parser context, the handlers and what is carried
// between libxml2's callbacks.
class QIVXMLSAXParser::Reading : public QIVISAXLocator, public QIVISAXAttributeList {
 public:
  Reading(const QIVISAXDocumentHandler_var& document, const QIVISAXErrorHandler_var& errors,
          QIVUnicodeString systemId)
      : _document(document), _errors(errors), _systemId(std::move(systemId)) {}

  // Reads the whole source, which `read` hands over block by block
  // (fewer bytes than asked at its end, -1 on a failure it has reported).
  HRESULT Run(std::function<int(char*, int)> read) {
    xmlSAXHandler sax{};
    sax.initialized = XML_SAX2_MAGIC;
    sax.startDocument = &OnStartDocument;
    sax.endDocument = &OnEndDocument;
    sax.startElementNs = &OnStartElement;
    sax.endElementNs = &OnEndElement;
    sax.characters = &OnCharacters;
    sax.cdataBlock = &OnCharacters;
    sax.ignorableWhitespace = &OnCharacters;
    sax.processingInstruction = &OnProcessingInstruction;
    sax.serror = &OnError;
    _read = std::move(read);
    _context.reset(xmlCreateIOParserCtxt(&sax, this, &OnRead, nullptr, this, XML_CHAR_ENCODING_NONE));
    if (!_context) {
      Fail(QIVSAXParseException(_systemId, 0, 0, "cannot make an XML parser"));
      return E_FAIL;
    }
    xmlCtxtUseOptions(_context.get(), XML_PARSE_NONET);
    if (_document) _document->SetDocumentLocator(this);
    xmlParseDocument(_context.get());
    return Finish();
  }

  HRESULT Finish() {
    _context.reset();
    if (_document) _document->SetDocumentLocator(nullptr);
    if (_stopped) return E_FAIL;
    return _errorCount > 0 ? S_FALSE : S_OK;
  }

  // A fault the reading stops at (a file that cannot be read).
  void Fail(const QIVSAXParseException& exception) {
    if (_stopped) return;
    _stopped = true;
    if (_errors) _errors->FatalError(exception);
  }

  QIVUnicodeString GetSystemId() const override { return _systemId; }
  // While text is handed over, the place right after it.
  int GetLineNumber() const override {
    return _textPlace ? _textLine : _context ? xmlSAX2GetLineNumber(_context.get()) : 0;
  }
  int GetColumnNumber() const override {
    return _textPlace ? _textColumn : _context ? xmlSAX2GetColumnNumber(_context.get()) : 0;
  }

  int GetLength() const override { return static_cast<int>(_attributes.size()); }
  QIVUnicodeString GetName(int index) const override {
    return InRange(index) ? QIVUnicodeString(_attributes[index].first) : QIVUnicodeString();
  }
  QIVUnicodeString GetValue(int index) const override {
    return InRange(index) ? QIVUnicodeString(_attributes[index].second) : QIVUnicodeString();
  }
  QIVUnicodeString GetValue(const QIVUnicodeString& name) const override {
    for (const auto& [attribute, value] : _attributes)
      if (attribute == name.str()) return QIVUnicodeString(value);
    return QIVUnicodeString();
  }

 private:
  static Reading& Of(void* data) { return *static_cast<Reading*>(data); }

  static int OnRead(void* data, char* buffer, int size) {
    Reading& reading = Of(data);
    return reading._stopped ? -1 : reading._read(buffer, size);
  }
  bool InRange(int index) const { return index >= 0 && index < GetLength(); }

  // A handler's refusal ends the reading, told as a fatal error here.
  void Check(HRESULT rc, const char* event) {
    if (SUCCEEDED(rc) || _stopped) return;
    Fail(QIVSAXParseException(_systemId, GetLineNumber(), GetColumnNumber(),
                              QIVUnicodeString("the reader refused the ") + event));
    xmlStopParser(_context.get());
  }

  void FlushText() {
    if (_text.empty()) return;
    const QIVUnicodeString text(std::move(_text));
    _text.clear();
    _textPlace = true;
    const HRESULT rc = _document ? _document->Characters(text) : S_OK;
    _textPlace = false;
    Check(rc, "text");
  }

  static void OnStartDocument(void* data) {
    Reading& reading = Of(data);
    if (reading._document) reading.Check(reading._document->StartDocument(), "start of the document");
  }

  static void OnEndDocument(void* data) {
    Reading& reading = Of(data);
    reading.FlushText();
    if (reading._document && !reading._stopped)
      reading.Check(reading._document->EndDocument(), "end of the document");
  }

  static void OnStartElement(void* data, const xmlChar* localName, const xmlChar* prefix, const xmlChar*, int,
                             const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
    Reading& reading = Of(data);
    reading.FlushText();
    if (reading._stopped || !reading._document) return;
    reading._attributes.resize(attributeCount);
    // Five pointers an attribute: local name, prefix, URI, value start, value end.
    for (int i = 0; i < attributeCount; ++i) {
      const xmlChar** attribute = attributes + 5 * i;
      reading._attributes[i].first = QualifiedName(attribute[1], attribute[0]);
      reading._attributes[i].second.assign(reinterpret_cast<const char*>(attribute[3]),
                                           reinterpret_cast<const char*>(attribute[4]));
    }
    reading.Check(reading._document->StartElement(QualifiedName(prefix, localName), &reading), "element");
  }

  static void OnEndElement(void* data, const xmlChar* localName, const xmlChar* prefix, const xmlChar*) {
    Reading& reading = Of(data);
    reading.FlushText();
    if (reading._stopped || !reading._document) return;
    reading.Check(reading._document->EndElement(QualifiedName(prefix, localName)), "end of the element");
  }

  static void OnCharacters(void* data, const xmlChar* text, int length) {
    Reading& reading = Of(data);
    if (reading._stopped || !reading._document) return;
    reading._textLine = xmlSAX2GetLineNumber(reading._context.get());
    reading._textColumn = xmlSAX2GetColumnNumber(reading._context.get());
    reading._text.append(reinterpret_cast<const char*>(text), length);
    if (reading._text.size() >= kMaxTextEvent) reading.FlushText();
  }

  static void OnProcessingInstruction(void* data, const xmlChar* target, const xmlChar* content) {
    Reading& reading = Of(data);
    reading.FlushText();
    if (reading._stopped || !reading._document) return;
    reading.Check(reading._document->ProcessingInstruction(QIVUnicodeString(View(target)),
                                                           QIVUnicodeString(View(content))),
                  "processing instruction");
  }

  // The structured error's type differs between libxml2 versions (const
  // or not); the template takes either.
  template <class Error>
  static void OnError(void* data, Error error) {
    Reading& reading = Of(data);
    if (reading._stopped || !error) return;
    const QIVSAXParseException exception(reading._systemId, error->line, error->int2,
                                         QIVXMLErrorReason(error->message));
    if (error->level == XML_ERR_FATAL) {
      reading.Fail(exception);
      xmlStopParser(reading._context.get());
      return;
    }
    ++reading._errorCount;
    if (!reading._errors) return;
    const HRESULT rc = error->level == XML_ERR_WARNING ? reading._errors->Warning(exception)
                                                       : reading._errors->Error(exception);
    if (FAILED(rc)) {
      reading._stopped = true;
      xmlStopParser(reading._context.get());
    }
  }

  QIVISAXDocumentHandler_var _document;
  QIVISAXErrorHandler_var _errors;
  QIVUnicodeString _systemId;
  std::function<int(char*, int)> _read;
  std::unique_ptr<xmlParserCtxt, ContextDeleter> _context;
  std::vector<std::pair<std::string, std::string>> _attributes;
  std::string _text;
  int _textLine = 0;
  int _textColumn = 0;
  bool _textPlace = false;
  int _errorCount = 0;
  bool _stopped = false;
};

HRESULT QIVXMLSAXParser::SetDocumentHandler(const QIVISAXDocumentHandler_var& handler) {
  _documentHandler = handler;
  return S_OK;
}

HRESULT QIVXMLSAXParser::SetErrorHandler(const QIVISAXErrorHandler_var& handler) {
  _errorHandler = handler;
  return S_OK;
}

HRESULT QIVXMLSAXParser::Parse(const QIVUnicodeString& path) {
  Reading reading(_documentHandler, _errorHandler, path);
  QIVFile file;
  if (FAILED(QIVFOpen(path, "rb", file))) {
    reading.Fail(QIVSAXParseException(path, 0, 0, QIVDescribeFileError("open", path.str(), errno)));
    return reading.Finish();
  }
  return reading.Run([&](char* buffer, int size) {
    std::size_t count = 0;
    if (SUCCEEDED(QIVFRead(file, buffer, static_cast<std::size_t>(size), count)))
      return static_cast<int>(count);
    reading.Fail(QIVSAXParseException(path, 0, 0, QIVDescribeFileError("read", path.str(), errno)));
    return -1;
  });
}

HRESULT QIVXMLSAXParser::ParseText(std::string_view text, const QIVUnicodeString& systemId) {
  Reading reading(_documentHandler, _errorHandler, systemId);
  return reading.Run([&text](char* buffer, int size) {
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(size));
    std::copy_n(text.data(), count, buffer);
    text.remove_prefix(count);
    return static_cast<int>(count);
  });
}

HRESULT QIVXMLSAXFactory::CreateParser(QIVISAXParser_var& parser, const QIVListValQIVUnicodeString& options,
                                       const QIVListValQIVUnicodeString& values) {
  parser = nullptr;
  if (options.Size() != values.Size()) return E_INVALIDARG;
  for (int i = 1; i <= options.Size(); ++i)
    if (options[i] != "QIVDoValidation" || values[i] != "false") return E_INVALIDARG;
  parser = QIVMake<QIVXMLSAXParser>();
  return S_OK;
}

HRESULT CreateQIVIXMLSAXFactory(QIVIXMLSAXFactory_var& factory) {
  static const bool initialised = (xmlInitParser(), true);
  (void)initialised;
  factory = QIVMake<QIVXMLSAXFactory>();
  return S_OK;
}
