#pragma once

#include "QIVSAXParseException.h"
#include "QIVVar.h"

// Hears the faults of an XML file: warnings, errors the reading goes on
// after, and fatal errors (the file is not well-formed), which end it. A
// negative answer to a warning or error ends the reading too.
class QIVISAXErrorHandler : public QIVInterface<QIVISAXErrorHandler> {
 public:
  static constexpr const char* InterfaceName = "QIVISAXErrorHandler";

  virtual HRESULT Warning(const QIVSAXParseException& exception) = 0;
  virtual HRESULT Error(const QIVSAXParseException& exception) = 0;
  virtual HRESULT FatalError(const QIVSAXParseException& exception) = 0;
};
using QIVISAXErrorHandler_var = QIVVar<QIVISAXErrorHandler>;
