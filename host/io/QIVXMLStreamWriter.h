#pragma once

#include <libxml/xmlwriter.h>

#include <memory>

#include "QIVAtomicFile.h"
#include "QIVStatus.h"
#include "QIVUnicodeString.h"

// Writes an XML file element by element, without a tree in memory, in the
// layout the DOM builder writes (UTF-8 with an XML declaration, one element
// a line indented by two spaces, an element without content closed by
// "/>"), so that the same elements give the same bytes. The file replaces
// its target only on Commit: a refused name or value, or a writer dropped
// before Commit, leaves no partial file.
class QIVXMLStreamWriter {
 public:
  QIVXMLStreamWriter();
  ~QIVXMLStreamWriter();

  // Opens the file, its declaration and its root element.
  HRESULT Open(const QIVUnicodeString& path, const QIVUnicodeString& rootName, QIVUnicodeString& errorText);
  // E_INVALIDARG for a name, or a value, that XML cannot carry.
  HRESULT StartElement(const QIVUnicodeString& name);
  // Only right after StartElement, before any child.
  HRESULT Attribute(const QIVUnicodeString& name, const QIVUnicodeString& value);
  HRESULT EndElement();
  // Closes every open element and replaces the target.
  HRESULT Commit(QIVUnicodeString& errorText);

 private:
  struct WriterFree {
    void operator()(xmlTextWriterPtr writer) const { xmlFreeTextWriter(writer); }
  };
  static int WriteOut(void* context, const char* data, int length);

  QIVAtomicFile _file;
  QIVUnicodeString _path;
  std::unique_ptr<xmlTextWriter, WriterFree> _writer;
  bool _failed = false;
};
