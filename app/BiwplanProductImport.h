#pragma once

#include <string>

#include "QIVIDocument.h"

// Builds the product tree of a document from a bill of materials in CSV:
// a header naming the columns "parent", "instance", "reference" and,
// optionally, "x", "y", "z", "roll", "pitch", "yaw" (millimetres and
// degrees, relative to the father product), then one product a line.
// "parent" is the path of instance names from a root product joined by
// "/", empty for a root; a parent must exist in the document or come
// earlier in the file. The whole file is checked before anything is built:
// on the first bad line nothing is imported and the error names the file,
// the line and the reason.
class BiwplanProductImport {
 public:
  // The number of products built, or -1 with `error` set.
  static int Import(const QIVIDocument_var& document, const std::string& path, std::string& error);
  // The same from CSV text; `sourceName` names it in errors.
  static int ImportText(const QIVIDocument_var& document, const std::string& text, const std::string& sourceName,
                        std::string& error);
};
