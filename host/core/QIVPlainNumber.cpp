#include "QIVPlainNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {
// isspace of the C locale, the program's, without a call per byte.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// A decimal of at most 15 digits and no exponent, as m / 10^k: both exact
// doubles, so the one rounding of the division gives the nearest double, as
// strtod does. False, `value` untouched, for anything longer or other than
// digits with at most one point.
bool ReadShortDecimal(const char* digits, const char* end, bool negative, double& value) {
  // The digits before the point, then those after it, each run in a loop
  // of its own; the count is checked once, at the end (unsigned, so that a
  // long run only wraps before it is refused).
  unsigned long long mantissa = 0;
  const char* p = digits;
  for (; p != end && IsDigit(*p); ++p) mantissa = 10 * mantissa + static_cast<unsigned>(*p - '0');
  std::ptrdiff_t count = p - digits, places = 0;
  if (p != end && *p == '.') {
    const char* const fraction = ++p;
    for (; p != end && IsDigit(*p); ++p) mantissa = 10 * mantissa + static_cast<unsigned>(*p - '0');
    places = p - fraction;
    count += places;
  }
  if (p != end || count == 0 || count > 15) return false;
  const double magnitude = static_cast<double>(mantissa) / PowersOfTen[places];
  value = negative ? -magnitude : magnitude;
  return true;
}

// "00", "01" ... "99" end to end.
struct Pairs {
  char text[200] = {};
  constexpr Pairs() {
    for (int pair = 0; pair < 100; ++pair) {
      text[2 * pair] = static_cast<char>('0' + pair / 10);
      text[2 * pair + 1] = static_cast<char>('0' + pair % 10);
    }
  }
};
constexpr Pairs DigitPairs;

constexpr unsigned long long WholePowersOfTen[] = {1,
                                                   10,
                                                   100,
                                                   1000,
                                                   10000,
                                                   100000,
                                                   1000000,
                                                   10000000,
                                                   100000000,
                                                   1000000000,
                                                   10000000000,
                                                   100000000000,
                                                   1000000000000,
                                                   10000000000000};

// The fixed notation of `value` to `precision` places, right-aligned in
// `width`, from the scaled value rounded once: its error (below 2e-4 for
// what is taken here) cannot move a fraction more than 1e-3 away from a
// half to the other side, so the digits are those printf gives by rounding
// the exact value. Answers the text's end, or null for large values, many
// places and near halves, left to to_chars.
char* FixedDigits(double value, int width, int precision, char* buffer) {
  if (precision >= 10) return nullptr;
  const double scaled = std::fabs(value) * PowersOfTen[precision];
  if (!(scaled < 1e12)) return nullptr;
  // Below 2^53 the truncation is exact, and for a value of no sign the floor.
  auto digits = static_cast<unsigned long long>(scaled);
  const double fraction = scaled - static_cast<double>(digits);
  if (std::fabs(fraction - 0.5) < 1e-3) return nullptr;
  digits += fraction > 0.5 ? 1 : 0;
  // Written backwards from its end, so its length comes first: the whole
  // part has the digits beyond the places, at least one (counted without
  // a division; below 10^12 the table reaches far enough).
  const bool negative = std::signbit(value);
  int count = precision + 1;
  while (digits >= WholePowersOfTen[count]) ++count;
  const int length = negative + count - precision + (precision > 0 ? precision + 1 : 0);
  const int blanks = std::max(width - length, 0);
  // A narrow field's blanks in one store of fixed size (the buffer has room).
  if (blanks <= 16)
    std::memcpy(buffer, "                ", 16);
  else
    std::fill(buffer, buffer + blanks, ' ');
  char* const end = buffer + blanks + length;
  QIVPlainNumber::WriteDigitsBefore(end, digits, precision, negative);
  return end;
}
}  // namespace

char* QIVPlainNumber::WriteDigitsBefore(char* end, unsigned long long digits, int places, bool negative) {
  // Two digits a step, from a table of the hundred pairs.
  const auto pairBefore = [&digits](char* at) {
    at -= 2;
    std::memcpy(at, DigitPairs.text + 2 * (digits % 100), 2);
    digits /= 100;
    return at;
  };
  char* at = end;
  int place = 0;
  for (; place + 2 <= places; place += 2) at = pairBefore(at);
  if (place < places) {
    *--at = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  if (places > 0) *--at = '.';
  while (digits >= 100) at = pairBefore(at);
  if (digits >= 10)
    at = pairBefore(at);
  else
    *--at = static_cast<char>('0' + digits);
  if (negative) *--at = '-';
  return at;
}

char* QIVPlainNumber::WriteFixed(double value, int width, int precision, char* buffer) {
  if (width < 0 || width > 64 || precision < 0 || precision > 40) return nullptr;
  if (std::isfinite(value))
    if (char* end = FixedDigits(value, width, precision, buffer)) return end;
  // Written after the room the alignment may take, then moved to meet it.
  char* const text = buffer + width;
  const auto [end, error] = std::to_chars(text, buffer + FixedSize, value, std::chars_format::fixed, precision);
  if (error != std::errc()) return nullptr;
  const auto length = end - text;
  const auto blanks = std::max<std::ptrdiff_t>(width - length, 0);
  std::memmove(buffer + blanks, text, static_cast<std::size_t>(length));
  std::fill(buffer, buffer + blanks, ' ');
  return buffer + blanks + length;
}

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
  // A bare decimal, as most are, in one pass.
  if (!text.empty()) {
    const bool sign = text[0] == '-' || text[0] == '+';
    if (ReadShortDecimal(text.data() + sign, text.data() + text.size(), text[0] == '-', value)) return true;
  }
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
