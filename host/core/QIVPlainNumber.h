#pragma once

#include <string_view>

// Numbers written plainly in a text (a sign, digits and, for a real, a
// decimal point and an exponent, only blanks around), which the files read
// are full of: what scanf would read from them, without its set-up cost.
class QIVPlainNumber {
 public:
  // Where the number stands in `text`: `begin` at its sign or first digit,
  // `digits` past the sign, `end` past it. False when the text is anything
  // else. A NUL ends the text as it ends a C string.
  static bool Find(std::string_view text, bool real, const char*& begin, const char*& digits,
                   const char*& end);
  // The value "%le" reads from `text`, rounded as strtod rounds; false,
  // `value` untouched, when the text is not a plain real or lies out of
  // range.
  static bool ReadReal(std::string_view text, double& value);
};
