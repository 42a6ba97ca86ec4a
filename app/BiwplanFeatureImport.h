#pragma once

#include <string>

#include "QIVIDocument.h"

// Brings the datums, datum targets, locating points and clamping points of
// a fixture into a document from CSV: a header naming the columns "kind",
// "name", "part", "x", "y", "z" and, optionally, "roll", "pitch", "yaw"
// (millimetres and degrees) and "text", then one feature a line.
//
// kind is "datum", "datum-target", "locating-point" or "clamping-point";
// name is new to the document; part is the path of instance names of the
// product ("UnderBody.1/FrontFloor.1"). Locating and clamping points go into
// the top locating-point and clamping-point groups of the document's
// feature container, related to the part, with their position and the text
// as description. Datums and targets belong to the part and keep their name
// only, so their position and text fields must stay empty.
//
// The whole file is checked before anything is made: on the first bad line
// nothing is imported and the error names the file, the line and the reason.
class BiwplanFeatureImport {
 public:
  // The number of features made, or -1 with `error` set.
  static int Import(const QIVIDocument_var& document, const std::string& path, std::string& error);
  // The same from CSV text; `sourceName` names it in errors.
  static int ImportText(const QIVIDocument_var& document, const std::string& text,
                        const std::string& sourceName, std::string& error);

  // The CSV word of a feature's kind ("locating-point"...), empty for an
  // object that is none of the four.
  static const char* KindWord(const QIVBaseUnknown_var& feature);
};
