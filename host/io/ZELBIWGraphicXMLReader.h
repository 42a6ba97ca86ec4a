#pragma once

#include <vector>

#include "QIVListVal.h"
#include "QIVSAXParseException.h"

// Reads a style-format file: the table from graphic representation names
// to the files that hold the representations.
//   <StyleFormat>
//     <Style name="SpotWeld" file="spot-weld.obj"/>
//   </StyleFormat>
// The root's name is not looked at; elements other than "Style" are
// skipped. A file is kept as written: the caller finds it there or along
// its own search path.
class ZELBIWGraphicXMLReader {
 public:
  // Reads the file. On failure (a file that cannot be read or is not
  // well-formed, a "Style" without "name" or "file") the table is empty and
  // GetErrors names each fault with its file, line and column.
  HRESULT SetGraphicXMLPath(const QIVUnicodeString& path);
  // The names and files, in file order, at the same positions.
  HRESULT GetParsedData(QIVListValQIVUnicodeString& names, QIVListValQIVUnicodeString& paths) const;
  const std::vector<QIVSAXParseException>& GetErrors() const { return _errors; }

 private:
  QIVListValQIVUnicodeString _names;
  QIVListValQIVUnicodeString _paths;
  std::vector<QIVSAXParseException> _errors;
};
