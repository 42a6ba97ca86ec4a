#include "QIVJsonWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "QIVPlainNumber.h"

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
// 10^n for n = 0 to 15, for counting an integer's digits.
constexpr unsigned long long Decimal[] = {1ULL,
                                          10ULL,
                                          100ULL,
                                          1000ULL,
                                          10000ULL,
                                          100000ULL,
                                          1000000ULL,
                                          10000000ULL,
                                          100000000ULL,
                                          1000000000ULL,
                                          10000000000ULL,
                                          100000000000ULL,
                                          1000000000000ULL,
                                          10000000000000ULL,
                                          100000000000000ULL,
                                          1000000000000000ULL};

// The text to_chars gives for the numbers documents are full of, without
// its shortest-digits search: a value of at least 0.1 in magnitude that is
// exactly the double nearest to a decimal of at most four places (m / 10^k,
// k the fewest places that give it back). No decimal of fewer significant
// digits reads back as the value (it would have fewer places), and the fixed
// notation of those digits is never longer than the scientific one for
// integers below 100,000 and for decimals of at least 0.1, so to_chars
// writes exactly these digits, at `out`; the end of them, or null to leave
// the value to to_chars.
char* ShortDecimal(char* out, double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 0.1) || magnitude >= 1e11) return nullptr;
  for (int places = 0; places < 5; ++places) {
    // Rounded to the nearest integer by adding and taking away 1.5 * 2^52,
    // which is exact below 2^51 in magnitude (these stay below 10^15) and
    // costs no call.
    const double scaled = value * PowersOfTen[places] + RoundingShift - RoundingShift;
    if (scaled / PowersOfTen[places] != value) continue;
    if (places == 0 && magnitude >= 100000.0) return nullptr;
    // The text's length first, so that the digits go straight to their
    // place: at least one digit before the point, the point, the sign.
    const auto digits = static_cast<unsigned long long>(std::fabs(scaled));
    std::size_t length = 1;
    while (length < 16 && digits >= Decimal[length]) ++length;
    length = std::max<std::size_t>(length, places + 1) + (places > 0) + (value < 0);
    QIVPlainNumber::WriteDigitsBefore(out + length, digits, places, value < 0);
    return out + length;
  }
  return nullptr;
}

}  // namespace

void QIVJsonWriter::AppendNumber(std::string& out, double value) {
  char buffer[NumberRoom];
  out.append(buffer, WriteNumber(buffer, value));
}

char* QIVJsonWriter::WriteNumber(char* out, double value) {
  if (value == 0.0) {
    const std::string_view zero = std::signbit(value) ? "-0.0" : "0";
    std::memcpy(out, zero.data(), zero.size());
    return out + zero.size();
  }
  if (char* end = ShortDecimal(out, value)) return end;
  return std::to_chars(out, out + NumberRoom, value).ptr;
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

namespace {
// How many leading bytes of `text` a JSON text holds as they are.
std::size_t PlainLength(std::string_view text) {
  std::size_t plain = 0;
  while (plain < text.size() && Plain.plain[static_cast<unsigned char>(text[plain])]) ++plain;
  return plain;
}
}  // namespace

char* QIVJsonWriter::Separate(char* out) {
  if (_afterKey) {
    _afterKey = false;
    return out;
  }
  if (_levels.empty()) return out;
  Level& level = _levels.back();
  if (level.count > 0) *out++ = ',';
  if (level.isInline) {
    if (level.count > 0) *out++ = ' ';
  } else {
    *out++ = '\n';
    std::memset(out, ' ', 2 * _levels.size());
    out += 2 * _levels.size();
  }
  ++level.count;
  return out;
}

void QIVJsonWriter::BeforeValue() {
  _text.EndAt(Separate(_text.Room(SeparatorRoom())));
}

void QIVJsonWriter::PutString(std::string_view text) {
  if (PlainLength(text) < text.size()) {
    std::string escaped;
    AppendString(escaped, text);
    _text.Put(escaped);
    return;
  }
  char* out = _text.Room(text.size() + 2);
  *out++ = '"';
  std::memcpy(out, text.data(), text.size());
  out[text.size()] = '"';
  _text.Add(text.size() + 2);
}

char* QIVJsonWriter::SeparatedPlainString(std::string_view text, std::size_t more) {
  char* at = Separate(_text.Room(SeparatorRoom() + text.size() + 2 + more));
  *at++ = '"';
  std::memcpy(at, text.data(), text.size());
  at += text.size();
  *at++ = '"';
  return at;
}

void QIVJsonWriter::NewLine(std::size_t depth) {
  char* out = _text.Room(1 + 2 * depth);
  *out = '\n';
  std::memset(out + 1, ' ', 2 * depth);
  _text.Add(1 + 2 * depth);
}

void QIVJsonWriter::Open(char bracket, bool isInline) {
  char* at = Separate(_text.Room(SeparatorRoom() + 1));
  *at++ = bracket;
  _text.EndAt(at);
  _levels.push_back({isInline, 0});
}

void QIVJsonWriter::Close(char bracket) {
  if (_levels.empty()) return;
  const Level level = _levels.back();
  _levels.pop_back();
  if (level.count > 0 && !level.isInline) NewLine(_levels.size());
  _text.Put(bracket);
  if (_levels.empty()) _text.Put('\n');
}

void QIVJsonWriter::BeginObject() { Open('{', false); }
void QIVJsonWriter::BeginInlineObject() { Open('{', true); }
void QIVJsonWriter::EndObject() { Close('}'); }
void QIVJsonWriter::BeginArray() { Open('[', false); }
void QIVJsonWriter::BeginInlineArray() { Open('[', true); }
void QIVJsonWriter::EndArray() { Close(']'); }

// Nearly every key and text is plain: separator, quoted text and what
// follows go into one piece of room.
void QIVJsonWriter::Key(std::string_view key) {
  if (PlainLength(key) < key.size()) {
    BeforeValue();
    PutString(key);
    _text.Put(": ");
  } else {
    char* at = SeparatedPlainString(key, 2);
    *at++ = ':';
    *at++ = ' ';
    _text.EndAt(at);
  }
  _afterKey = true;
}

void QIVJsonWriter::String(std::string_view text) {
  if (PlainLength(text) < text.size()) {
    BeforeValue();
    PutString(text);
    return;
  }
  _text.EndAt(SeparatedPlainString(text, 0));
}

bool QIVJsonWriter::Number(double value) {
  char* at = Separate(_text.Room(SeparatorRoom() + NumberRoom));
  const bool finite = std::isfinite(value);
  if (finite) {
    at = WriteNumber(at, value);
  } else {
    std::memcpy(at, "null", 4);
    at += 4;
  }
  _text.EndAt(at);
  return finite;
}

void QIVJsonWriter::Integer(long long value) {
  constexpr std::size_t IntegerRoom = 24;
  char* at = Separate(_text.Room(SeparatorRoom() + IntegerRoom));
  _text.EndAt(std::to_chars(at, at + IntegerRoom, value).ptr);
}

void QIVJsonWriter::Bool(bool value) {
  BeforeValue();
  _text.Put(value ? "true" : "false");
}

void QIVJsonWriter::Null() {
  BeforeValue();
  _text.Put("null");
}
