#pragma once

#include "QIVCastCache.h"
#include "QIVISAXDocumentHandler.h"
#include "QIVISAXErrorHandler.h"
#include "QIVSAXDefaultHandler.h"

// Offers a SAX handler class H (derived from QIVSAXDefaultHandler) to
// parsers as a document handler or an error handler: each tie forwards
// the interface's calls to the handler and holds a reference to it.
// Registered as extensions of the handler's late type, so that querying
// the handler for either interface makes its tie; Create is the extension
// function (null for an object that is not an H).
template <class H>
class TIEQIVISAXDocumentHandler : public QIVISAXDocumentHandler {
 public:
  static QIVBaseUnknown* Create(QIVBaseUnknown* extended) {
    H* handler = extended ? QIVCastCache::Cast<H>(extended) : nullptr;
    return handler ? new TIEQIVISAXDocumentHandler(handler) : nullptr;
  }

  HRESULT SetDocumentLocator(const QIVISAXLocator* locator) override {
    return _handler->SetDocumentLocator(locator);
  }
  HRESULT StartDocument() override { return _handler->StartDocument(); }
  HRESULT EndDocument() override { return _handler->EndDocument(); }
  HRESULT StartElement(const QIVUnicodeString& name, const QIVISAXAttributeList* attributes) override {
    return _handler->StartElement(name, attributes);
  }
  HRESULT EndElement(const QIVUnicodeString& name) override { return _handler->EndElement(name); }
  HRESULT Characters(const QIVUnicodeString& text) override { return _handler->Characters(text); }
  HRESULT IgnorableWhiteSpace(const QIVUnicodeString& text) override {
    return _handler->IgnorableWhiteSpace(text);
  }
  HRESULT ProcessingInstruction(const QIVUnicodeString& target, const QIVUnicodeString& data) override {
    return _handler->ProcessingInstruction(target, data);
  }

  H* GetHandler() const { return _handler.get(); }

 private:
  explicit TIEQIVISAXDocumentHandler(H* handler) : _handler(handler) {}
  QIVVar<H> _handler;
};

template <class H>
class TIEQIVISAXErrorHandler : public QIVISAXErrorHandler {
 public:
  static QIVBaseUnknown* Create(QIVBaseUnknown* extended) {
    H* handler = extended ? QIVCastCache::Cast<H>(extended) : nullptr;
    return handler ? new TIEQIVISAXErrorHandler(handler) : nullptr;
  }

  HRESULT Warning(const QIVSAXParseException& exception) override { return _handler->Warning(exception); }
  HRESULT Error(const QIVSAXParseException& exception) override { return _handler->Error(exception); }
  HRESULT FatalError(const QIVSAXParseException& exception) override {
    return _handler->FatalError(exception);
  }

  H* GetHandler() const { return _handler.get(); }

 private:
  explicit TIEQIVISAXErrorHandler(H* handler) : _handler(handler) {}
  QIVVar<H> _handler;
};
