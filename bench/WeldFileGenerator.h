#pragma once

#include <string>

#include "QIVIDocument.h"

// A body as large as a real one for the weld import benchmarks: a product
// tree of `partCount` parts in assemblies of a hundred, and a weld file of
// `weldCount` records joining them. Most records are spot welds of two
// neighbouring parts (some of three), one in ten is a sealant or adhesive
// seam; about ten records share each joint, half of them naming the parts in
// the other order; comments and blank lines stand between records. The same
// counts always give the same file.
struct WeldFileGenerator {
  int weldCount = 10000;
  int partCount = 5000;

  // Fills a new document's product tree: "Body.1" (BD-0) with
  // "Assembly.k" (AS-k) each holding "Part.i" (PN-i).
  void BuildProducts(const QIVIDocument_var& document) const;
  // The weld file's text.
  std::string WeldFileText() const;
  // Writes the weld file under `path`.
  bool WriteWeldFile(const std::string& path) const;
};
