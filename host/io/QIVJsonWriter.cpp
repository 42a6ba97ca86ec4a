#include "QIVJsonWriter.h"

#include <charconv>
#include <cmath>

namespace {

// Length of the well-formed UTF-8 sequence starting `text`, or 0: the same
// rule the reader applies, so that whatever is written reads back.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const auto within = [&](std::size_t i, unsigned char low, unsigned char high) {
    return i < text.size() && byte(i) >= low && byte(i) <= high;
  };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return within(1, 0x80, 0xBF) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
    return within(1, low, high) && within(2, 0x80, 0xBF) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
    return within(1, low, high) && within(2, 0x80, 0xBF) && within(3, 0x80, 0xBF) ? 4 : 0;
  }
  return 0;
}

// Bytes written as they are inside a JSON text: printable ASCII but the
// quote and the backslash.
struct PlainBytes {
  bool plain[256] = {};
  constexpr PlainBytes() {
    for (int c = 0x20; c < 0x80; ++c) plain[c] = c != '"' && c != '\\';
  }
};
constexpr PlainBytes Plain;

constexpr double PowersOfTen[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
constexpr double RoundingShift = 0x1.8p52;

// The text to_chars gives for the numbers documents are full of, without
// its shortest-digits search: a value of at least 0.1 in magnitude that is
// exactly the double nearest to a decimal of at most four places (m / 10^k,
// k the fewest places that give it back). No decimal of fewer significant
// digits reads back as the value (it would have fewer places), and the fixed
// notation of those digits is never longer than the scientific one for
// integers below 100,000 and for decimals of at least 0.1, so to_chars
// writes exactly these digits. False leaves the value to to_chars.
bool AppendShortDecimal(std::string& out, double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 0.1) || magnitude >= 1e11) return false;
  for (int places = 0; places < 5; ++places) {
    // Rounded to the nearest integer by adding and taking away 1.5 * 2^52,
    // which is exact below 2^51 in magnitude (these stay below 10^15) and
    // costs no call.
    const double scaled = value * PowersOfTen[places] + RoundingShift - RoundingShift;
    if (scaled / PowersOfTen[places] != value) continue;
    if (places == 0 && magnitude >= 100000.0) return false;
    long long digits = static_cast<long long>(std::fabs(scaled));
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    for (int place = 0; place < places; ++place, digits /= 10) *--p = static_cast<char>('0' + digits % 10);
    if (places > 0) *--p = '.';
    do {
      *--p = static_cast<char>('0' + digits % 10);
      digits /= 10;
    } while (digits != 0);
    if (value < 0) *--p = '-';
    out.append(p, end);
    return true;
  }
  return false;
}

}  // namespace

void QIVJsonWriter::AppendNumber(std::string& out, double value) {
  if (value == 0.0) {
    out += std::signbit(value) ? "-0.0" : "0";
    return;
  }
  if (AppendShortDecimal(out, value)) return;
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void QIVJsonWriter::AppendString(std::string& out, std::string_view text) {
  static constexpr char Hex[] = "0123456789abcdef";
  // Names, keys and identifiers mostly need no escape: one append.
  std::size_t i = 0;
  while (i < text.size() && Plain.plain[static_cast<unsigned char>(text[i])]) ++i;
  out += '"';
  out.append(text.data(), i);
  if (i == text.size()) {
    out += '"';
    return;
  }
  while (i < text.size()) {
    // Characters that need no escape go out a run at a time.
    std::size_t plain = i;
    while (plain < text.size() && Plain.plain[static_cast<unsigned char>(text[plain])]) ++plain;
    if (plain > i) {
      out.append(text.substr(i, plain - i));
      i = plain;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8SequenceLength(text.substr(i));
      if (length == 0) {
        out += "\xEF\xBF\xBD";
        ++i;
      } else {
        out.append(text.substr(i, length));
        i += length;
      }
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += Hex[c >> 4];
          out += Hex[c & 0x0F];
        } else {
          out += static_cast<char>(c);
        }
    }
    ++i;
  }
  out += '"';
}

void QIVJsonWriter::NewLine(std::size_t depth) {
  // A line break and the indentation of the usual depths in one append.
  static const std::string Indented = '\n' + std::string(256, ' ');
  if (2 * depth < Indented.size()) {
    _text.append(Indented.data(), 1 + 2 * depth);
    return;
  }
  _text += '\n';
  _text.append(2 * depth, ' ');
}

void QIVJsonWriter::BeforeValue() {
  if (_afterKey) {
    _afterKey = false;
    return;
  }
  if (_levels.empty()) return;
  Level& level = _levels.back();
  if (level.count > 0) _text += level.isInline ? ", " : ",";
  if (!level.isInline) NewLine(_levels.size());
  ++level.count;
}

void QIVJsonWriter::Open(char bracket, bool isInline) {
  BeforeValue();
  _text += bracket;
  _levels.push_back({isInline, 0});
}

void QIVJsonWriter::Close(char bracket) {
  if (_levels.empty()) return;
  const Level level = _levels.back();
  _levels.pop_back();
  if (level.count > 0 && !level.isInline) NewLine(_levels.size());
  _text += bracket;
  if (_levels.empty()) _text += '\n';
}

void QIVJsonWriter::BeginObject() { Open('{', false); }
void QIVJsonWriter::BeginInlineObject() { Open('{', true); }
void QIVJsonWriter::EndObject() { Close('}'); }
void QIVJsonWriter::BeginArray() { Open('[', false); }
void QIVJsonWriter::BeginInlineArray() { Open('[', true); }
void QIVJsonWriter::EndArray() { Close(']'); }

void QIVJsonWriter::Key(std::string_view key) {
  BeforeValue();
  AppendString(_text, key);
  _text += ": ";
  _afterKey = true;
}

void QIVJsonWriter::String(std::string_view text) {
  BeforeValue();
  AppendString(_text, text);
}

bool QIVJsonWriter::Number(double value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    _text += "null";
    return false;
  }
  AppendNumber(_text, value);
  return true;
}

void QIVJsonWriter::Integer(long long value) {
  BeforeValue();
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  _text.append(buffer, result.ptr);
}

void QIVJsonWriter::Bool(bool value) {
  BeforeValue();
  _text += value ? "true" : "false";
}

void QIVJsonWriter::Null() {
  BeforeValue();
  _text += "null";
}
