#pragma once

#include "QIVIDOMImplementation.h"

// Class identifier of the XML DOM the host offers.
inline constexpr const char CLSID_XML4C_DOM[] = "CLSID_XML4C_DOM";

// Builds XML documents in memory and moves them between memory and files.
// Files are UTF-8 with an XML declaration, one element a line, indented.
class QIVIXMLDOMDocumentBuilder : public QIVInterface<QIVIXMLDOMDocumentBuilder> {
 public:
  static constexpr const char* InterfaceName = "QIVIXMLDOMDocumentBuilder";

  virtual HRESULT GetDOMImplementation(QIVIDOMImplementation_var& implementation) = 0;

  // Replaces the file at `path` as a whole: on failure the previous file, if
  // any, is untouched, no partial file is left and `errorText` names the
  // path and the reason.
  virtual HRESULT WriteToFile(const QIVIDOMDocument_var& document, const QIVUnicodeString& path,
                              QIVUnicodeString& errorText) = 0;
  virtual HRESULT WriteToString(const QIVIDOMDocument_var& document, QIVUnicodeString& text) = 0;

  // Reads a whole file into a new document; on failure `errorText` names
  // the file, the line and the reason.
  virtual HRESULT Parse(const QIVUnicodeString& path, QIVIDOMDocument_var& document,
                        QIVUnicodeString& errorText) = 0;
};
using QIVIXMLDOMDocumentBuilder_var = QIVVar<QIVIXMLDOMDocumentBuilder>;

// The builder of the DOM named by `classId`; E_INVALIDARG for a class the
// host does not have.
HRESULT CreateQIVIXMLDOMDocumentBuilder(const char* classId, QIVIXMLDOMDocumentBuilder_var& builder);
