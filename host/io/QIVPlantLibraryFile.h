#pragma once

#include <string>

#include "QIVRepository.h"

// The plant library file (docs/plant-library.md): plant types with their
// "derivesfrom" links, the plant type set, resources and station templates,
// as JSON. Reading checks every name a record refers to.
class QIVPlantLibraryFile {
 public:
  // False with "FILE:LINE: reason" in `error`.
  static bool Read(const std::string& path, QIVLibraryContents& library, std::string& error);
  static std::string Write(const QIVLibraryContents& library);
};
