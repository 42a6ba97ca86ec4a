#include "QIVUnicodeString.h"

#include "QIVPlainNumber.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

namespace {
QIVUnicodeString VFormat(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  char small[128];
  const int needed = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (needed < 0) return {};
  if (static_cast<std::size_t>(needed) < sizeof small) return QIVUnicodeString(std::string(small, needed));
  std::vector<char> big(static_cast<std::size_t>(needed) + 1);
  std::vsnprintf(big.data(), big.size(), format, args);
  return QIVUnicodeString(std::string(big.data(), needed));
}

// What sscanf answers for the plainly written numbers that files are full
// of, without its set-up cost: sscanf converts them with strtod and strtol
// too. False leaves every other text, and every other format, to sscanf.
bool ScanPlain(const std::string& text, const char* format, double* value) {
  if (std::strcmp(format, "%le") != 0 && std::strcmp(format, "%lf") != 0 && std::strcmp(format, "%lg") != 0)
    return false;
  return value && QIVPlainNumber::ReadReal(text, *value);
}

bool ScanPlain(const std::string& text, const char* format, int* value) {
  if (std::strcmp(format, "%d") != 0) return false;
  const char *begin, *digits, *end;
  if (!QIVPlainNumber::Find(text, false, begin, digits, end) || end - digits > 9) return false;
  int converted = 0;
  for (const char* digit = digits; digit != end; ++digit) converted = 10 * converted + (*digit - '0');
  *value = *begin == '-' ? -converted : converted;
  return true;
}

bool ScanPlain(const std::string&, const char*, long*) { return false; }

template <class T>
int Scan(const std::string& text, const char* format, T* value) {
  if (!value || !format) return 0;
  if (ScanPlain(text, format, value)) return 1;
  T converted{};
  const int count = std::sscanf(text.c_str(), format, &converted);
  if (count != 1) return 0;
  *value = converted;
  return 1;
}
}  // namespace

QIVUnicodeString QIVUnicodeString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  QIVUnicodeString result = VFormat(format, args);
  va_end(args);
  return result;
}

QIVUnicodeString& QIVUnicodeString::BuildFromNum(int value, const char* format) {
  // Row numbers and counts, written by the thousand: without printf.
  if (format && std::strcmp(format, "%d") == 0) {
    char digits[16];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    return *this = QIVUnicodeString(std::string_view(digits, static_cast<std::size_t>(end - digits)));
  }
  return *this = Format(format, value);
}

QIVUnicodeString& QIVUnicodeString::BuildFromNum(long value, const char* format) {
  return *this = Format(format, value);
}

namespace {
// A format of exactly one plain conversion, "%[width][.precision]" and f, e
// or g, written with to_chars, which formats as printf does but without its
// arbitrary-precision arithmetic: a location export writes twelve numbers a
// weld. False for any other format.
bool FormatPlainDouble(double value, const char* format, std::string& text) {
  if (*format++ != '%' || *format == '0') return false;
  int width = 0;
  int precision = 6;
  for (; std::isdigit(static_cast<unsigned char>(*format)); ++format)
    if ((width = width * 10 + (*format - '0')) > 64) return false;
  if (*format == '.') {
    precision = 0;
    for (++format; std::isdigit(static_cast<unsigned char>(*format)); ++format)
      if ((precision = precision * 10 + (*format - '0')) > 40) return false;
  }
  std::chars_format style;
  switch (*format++) {
    case 'f':
      style = std::chars_format::fixed;
      break;
    case 'e':
      style = std::chars_format::scientific;
      break;
    case 'g':
      style = std::chars_format::general;
      break;
    default:
      return false;
  }
  if (*format) return false;
  if (style == std::chars_format::fixed) {
    char written[QIVPlainNumber::FixedSize];
    const char* end = QIVPlainNumber::WriteFixed(value, width, precision, written);
    if (!end) return false;
    text.assign(written, static_cast<std::size_t>(end - written));
    return true;
  }
  char digits[400];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, style, precision);
  if (error != std::errc()) return false;
  const auto length = static_cast<std::size_t>(end - digits);
  text.assign(length < static_cast<std::size_t>(width) ? width - length : 0, ' ');
  text.append(digits, length);
  return true;
}
}  // namespace

QIVUnicodeString& QIVUnicodeString::BuildFromNum(double value, const char* format) {
  if (std::string text; format && FormatPlainDouble(value, format, text)) return *this = std::move(text);
  return *this = Format(format, value);
}

int QIVUnicodeString::ConvertToNum(int* value, const char* format) const { return Scan(_text, format, value); }
int QIVUnicodeString::ConvertToNum(long* value, const char* format) const { return Scan(_text, format, value); }
int QIVUnicodeString::ConvertToNum(double* value, const char* format) const { return Scan(_text, format, value); }

int QIVUnicodeString::GetLengthInChar() const {
  return static_cast<int>(std::count_if(_text.begin(), _text.end(),
                                        [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

int QIVUnicodeString::SearchSubString(const QIVUnicodeString& sub, int start, SearchDirection direction) const {
  if (start < 0) start = 0;
  std::size_t found;
  if (direction == Forward) {
    if (static_cast<std::size_t>(start) > _text.size()) return -1;
    found = _text.find(sub._text, start);
  } else {
    found = _text.rfind(sub._text, direction == Backward && start == 0 ? std::string::npos : start);
  }
  return found == std::string::npos ? -1 : static_cast<int>(found);
}

bool QIVUnicodeString::EndsWith(const QIVUnicodeString& suffix) const {
  return _text.size() >= suffix._text.size() &&
         _text.compare(_text.size() - suffix._text.size(), suffix._text.size(), suffix._text) == 0;
}

QIVUnicodeString QIVUnicodeString::SubString(int start, int length) const {
  if (start < 0 || static_cast<std::size_t>(start) >= _text.size() || length == 0) return {};
  return QIVUnicodeString(_text.substr(start, length < 0 ? std::string::npos : static_cast<std::size_t>(length)));
}

QIVUnicodeString QIVUnicodeString::Strip(StripMode mode, char character) const {
  std::size_t first = 0;
  std::size_t last = _text.size();
  if (mode & Leading)
    while (first < last && _text[first] == character) ++first;
  if (mode & Trailing)
    while (last > first && _text[last - 1] == character) --last;
  return QIVUnicodeString(_text.substr(first, last - first));
}

QIVUnicodeString& QIVUnicodeString::ReplaceSubString(int start, int length, const QIVUnicodeString& replacement) {
  if (start < 0 || static_cast<std::size_t>(start) > _text.size() || length < 0) return *this;
  _text.replace(start, length, replacement._text);
  return *this;
}

int QIVUnicodeString::ReplaceAll(const QIVUnicodeString& from, const QIVUnicodeString& to) {
  if (from._text.empty()) return 0;
  int count = 0;
  std::string result;
  std::size_t position = 0;
  for (std::size_t found; (found = _text.find(from._text, position)) != std::string::npos;) {
    result.append(_text, position, found - position);
    result += to._text;
    position = found + from._text.size();
    ++count;
  }
  result.append(_text, position, std::string::npos);
  _text = std::move(result);
  return count;
}

QIVUnicodeString QIVUnicodeString::ToUpper() const {
  std::string upper = _text;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  return QIVUnicodeString(std::move(upper));
}

QIVUnicodeString QIVUnicodeString::ToLower() const {
  std::string lower = _text;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return QIVUnicodeString(std::move(lower));
}
