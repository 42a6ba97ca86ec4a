#pragma once

#include <vector>

#include "QIVBaseUnknown.h"
#include "QIVISAXAttributeList.h"
#include "QIVISAXLocator.h"
#include "QIVSAXParseException.h"

// The base of the host's SAX handlers: every document event is accepted
// and ignored, warnings and errors are kept and the reading goes on, a
// fatal error is kept and ends the reading. A handler derives from it,
// overrides the events it reads, and is offered to a parser through ties
// (TIEQIVISAXDocumentHandler, TIEQIVISAXErrorHandler) that forward the
// parser's calls to it.
class QIVSAXDefaultHandler : public virtual QIVBaseUnknown {
 public:
  // Faults kept per reading; those past the limit are counted only, so a
  // file full of faults costs no more memory than a short one.
  static constexpr int kKeptFaults = 100;

  virtual HRESULT SetDocumentLocator(const QIVISAXLocator* locator);
  virtual HRESULT StartDocument() { return S_OK; }
  virtual HRESULT EndDocument() { return S_OK; }
  virtual HRESULT StartElement(const QIVUnicodeString&, const QIVISAXAttributeList*) { return S_OK; }
  virtual HRESULT EndElement(const QIVUnicodeString&) { return S_OK; }
  virtual HRESULT Characters(const QIVUnicodeString&) { return S_OK; }
  virtual HRESULT IgnorableWhiteSpace(const QIVUnicodeString&) { return S_OK; }
  virtual HRESULT ProcessingInstruction(const QIVUnicodeString&, const QIVUnicodeString&) { return S_OK; }

  virtual HRESULT Warning(const QIVSAXParseException& exception);
  virtual HRESULT Error(const QIVSAXParseException& exception);
  virtual HRESULT FatalError(const QIVSAXParseException& exception);

  // The errors and fatal errors kept, in the order met, and how many there
  // were in all.
  const std::vector<QIVSAXParseException>& GetErrors() const { return _errors; }
  int GetErrorCount() const { return _errorCount; }
  const std::vector<QIVSAXParseException>& GetWarnings() const { return _warnings; }

 protected:
  // Where the parser stands; null outside a reading.
  const QIVISAXLocator* GetDocumentLocator() const { return _locator; }
  // Reports an error of the content at the parser's place, as the parser
  // reports its own.
  HRESULT ErrorHere(const QIVUnicodeString& message);

 private:
  const QIVISAXLocator* _locator = nullptr;
  std::vector<QIVSAXParseException> _errors;
  std::vector<QIVSAXParseException> _warnings;
  int _errorCount = 0;
};
