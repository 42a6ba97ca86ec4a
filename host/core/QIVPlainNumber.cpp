#include "QIVPlainNumber.h"

#include <charconv>

namespace {
// isspace of the C locale, the program's, without a call per byte.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A decimal of at most 15 digits and no exponent, as m / 10^k: both exact
// doubles, so the one rounding of the division gives the nearest double, as
// strtod does. False for anything longer.
bool ReadShortDecimal(const char* digits, const char* end, bool negative, double& value) {
  long long mantissa = 0;
  int count = 0, places = 0;
  bool fraction = false;
  for (const char* p = digits; p != end; ++p) {
    if (*p == '.') {
      fraction = true;
      continue;
    }
    if (!IsDigit(*p) || ++count > 15) return false;
    mantissa = 10 * mantissa + (*p - '0');
    places += fraction ? 1 : 0;
  }
  const double magnitude = static_cast<double>(mantissa) / PowersOfTen[places];
  value = negative ? -magnitude : magnitude;
  return true;
}
}  // namespace

bool QIVPlainNumber::Find(std::string_view text, bool real, const char*& begin, const char*& digits,
                          const char*& end) {
  const char* const last = text.data() + text.size();
  // The text's bytes, then NULs as past the end of a C string.
  const auto at = [last](const char* q) { return q < last ? *q : '\0'; };
  const char* p = text.data();
  while (IsBlank(at(p))) ++p;
  begin = p;
  if (at(p) == '+' || at(p) == '-') ++p;
  digits = p;
  while (IsDigit(at(p))) ++p;
  bool anyDigit = p != digits;
  if (real && at(p) == '.') {
    const char* fraction = ++p;
    while (IsDigit(at(p))) ++p;
    anyDigit = anyDigit || p != fraction;
  }
  if (!anyDigit) return false;
  if (real && (at(p) == 'e' || at(p) == 'E')) {
    ++p;
    if (at(p) == '+' || at(p) == '-') ++p;
    const char* exponent = p;
    while (IsDigit(at(p))) ++p;
    if (p == exponent) return false;
  }
  end = p;
  while (IsBlank(at(p))) ++p;
  return at(p) == '\0';
}

bool QIVPlainNumber::ReadReal(std::string_view text, double& value) {
  const char *begin, *digits, *end;
  if (!Find(text, true, begin, digits, end)) return false;
  if (ReadShortDecimal(digits, end, *begin == '-', value)) return true;
  // from_chars rounds as strtod does, several times faster; it takes no
  // plus sign.
  double converted = 0.0;
  const auto [parsed, error] = std::from_chars(*begin == '+' ? begin + 1 : begin, end, converted);
  if (parsed != end || error != std::errc()) return false;
  value = converted;
  return true;
}
