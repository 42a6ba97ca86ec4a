#pragma once

#include "QIVISAXParser.h"
#include "QIVIXMLSAXFactory.h"

// The host's SAX parser on libxml2's SAX2 interface. libxml2 pulls the
// file in blocks and lets go of what it has read, so a reading holds a few
// blocks, the open elements and the text of one element at a time,
// whatever the file's size. No DTD is loaded, no entity other than the predefined ones
// and character references is expanded, nothing is fetched from a
// network.
class QIVXMLSAXParser : public QIVISAXParser {
 public:
  const char* GetImplClassName() const override { return "QIVXMLSAXParser"; }

  HRESULT SetDocumentHandler(const QIVISAXDocumentHandler_var& handler) override;
  HRESULT SetErrorHandler(const QIVISAXErrorHandler_var& handler) override;
  HRESULT Parse(const QIVUnicodeString& path) override;
  HRESULT ParseText(std::string_view text, const QIVUnicodeString& systemId) override;

 private:
  class Reading;
  QIVISAXDocumentHandler_var _documentHandler;
  QIVISAXErrorHandler_var _errorHandler;
};

// The factory of QIVXMLSAXParser.
class QIVXMLSAXFactory : public QIVIXMLSAXFactory {
 public:
  const char* GetImplClassName() const override { return "QIVXMLSAXFactory"; }
  HRESULT CreateParser(QIVISAXParser_var& parser, const QIVListValQIVUnicodeString& options,
                       const QIVListValQIVUnicodeString& values) override;
};
