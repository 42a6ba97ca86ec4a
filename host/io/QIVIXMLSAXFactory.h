#pragma once

#include "QIVISAXParser.h"
#include "QIVListVal.h"

// Makes the host's SAX parsers.
class QIVIXMLSAXFactory : public QIVInterface<QIVIXMLSAXFactory> {
 public:
  static constexpr const char* InterfaceName = "QIVIXMLSAXFactory";

  // A parser set by the options, each paired with the value at the same
  // position. The one option is "QIVDoValidation", "false" (the host reads
  // without a DTD or schema); any other option or value is E_INVALIDARG.
  virtual HRESULT CreateParser(QIVISAXParser_var& parser, const QIVListValQIVUnicodeString& options,
                               const QIVListValQIVUnicodeString& values) = 0;
};
using QIVIXMLSAXFactory_var = QIVVar<QIVIXMLSAXFactory>;

HRESULT CreateQIVIXMLSAXFactory(QIVIXMLSAXFactory_var& factory);
