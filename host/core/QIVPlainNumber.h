#pragma once

#include <cstddef>
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

  // Room for any number WriteFixed writes.
  static constexpr std::size_t FixedSize = 448;
  // Writes `value` as printf's "%<width>.<precision>f" (right-aligned in
  // `width` by blanks) into `buffer`, of FixedSize bytes, and answers its
  // end; null for a width above 64 or more than 40 places.
  static char* WriteFixed(double value, int width, int precision, char* buffer);
  // Writes `digits` as a decimal with its last `places` digits after the
  // point, and a minus sign when `negative`, backwards so that it ends just
  // before `end`; answers where it starts.
  static char* WriteDigitsBefore(char* end, unsigned long long digits, int places, bool negative);
};
