#pragma once

#include <cstddef>
#include <string_view>

// Finds where a value stands in JSON text, to place an error found after
// parsing (the parsed values no longer know their lines). Meant for text that
// parsed; on anything else it answers 0.
class QIVJsonLocator {
 public:
  // The line (from 1) where the value at the JSON pointer ("/products/0/name",
  // "" for the whole text, "~1" and "~0" escaping "/" and "~") begins; 0 when
  // the pointer leads nowhere.
  static int LineOfPointer(std::string_view text, std::string_view pointer);
  // The line and column (from 1) of a byte offset.
  static void LineAndColumn(std::string_view text, std::size_t offset, int& line, int& column);
};
