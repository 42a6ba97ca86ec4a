#pragma once

#include <string_view>

#include "QIVISAXDocumentHandler.h"
#include "QIVISAXErrorHandler.h"

// Reads an XML file from start to end, handing its content to a document
// handler and its faults to an error handler, without building it in
// memory: what a reading holds does not grow with the file.
class QIVISAXParser : public QIVInterface<QIVISAXParser> {
 public:
  static constexpr const char* InterfaceName = "QIVISAXParser";

  virtual HRESULT SetDocumentHandler(const QIVISAXDocumentHandler_var& handler) = 0;
  virtual HRESULT SetErrorHandler(const QIVISAXErrorHandler_var& handler) = 0;

  // S_OK when the file was read without fault, S_FALSE when errors were
  // reported and reading went on to the end, E_FAIL when it stopped (a
  // file that cannot be opened, a fatal error, a handler's refusal). Every
  // fault reaches the error handler with its place.
  virtual HRESULT Parse(const QIVUnicodeString& path) = 0;
  // The same over text in memory; `systemId` names it in faults.
  virtual HRESULT ParseText(std::string_view text, const QIVUnicodeString& systemId) = 0;
};
using QIVISAXParser_var = QIVVar<QIVISAXParser>;
