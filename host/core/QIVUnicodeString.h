#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

// The host's text: UTF-8 held in a std::string. Positions and lengths given
// to and returned by its operations count bytes, so ASCII texts (weld files,
// names, keys) index by character.
class QIVUnicodeString {
 public:
  enum StripMode { Leading = 1, Trailing = 2, BothSides = 3 };
  enum SearchDirection { Forward, Backward };

  QIVUnicodeString() = default;
  QIVUnicodeString(const char* text) : _text(text ? text : "") {}
  QIVUnicodeString(const char* text, int byteCount) : _text(text ? std::string(text, byteCount) : "") {}
  QIVUnicodeString(std::string text) : _text(std::move(text)) {}
  QIVUnicodeString(std::string_view text) : _text(text) {}

  // printf-style number building; the format takes exactly one value.
  QIVUnicodeString& BuildFromNum(int value, const char* format = "%d");
  QIVUnicodeString& BuildFromNum(long value, const char* format = "%ld");
  QIVUnicodeString& BuildFromNum(double value, const char* format = "%g");
  // printf-style building with any arguments, for callers that assemble a
  // line in one go.
  static QIVUnicodeString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

  // scanf-style conversion of the whole text. Returns the number of values
  // converted: 0 when nothing converted (the value is then left untouched).
  int ConvertToNum(int* value, const char* format = "%d") const;
  int ConvertToNum(long* value, const char* format = "%ld") const;
  int ConvertToNum(double* value, const char* format = "%le") const;

  const char* ConvertToChar() const { return _text.c_str(); }
  const std::string& str() const { return _text; }
  std::string_view view() const { return _text; }

  int GetLengthInByte() const { return static_cast<int>(_text.size()); }
  // Number of characters (code points).
  int GetLengthInChar() const;
  bool IsNull() const { return _text.empty(); }
  bool IsEmpty() const { return _text.empty(); }

  // Position of the first occurrence of `sub` at or after `start`, or
  // (backward) of the last one starting at or before `start`, where a
  // backward start of 0 searches from the end; -1 when absent.
  int SearchSubString(const QIVUnicodeString& sub, int start = 0, SearchDirection direction = Forward) const;
  bool Contains(const QIVUnicodeString& sub) const { return _text.find(sub._text) != std::string::npos; }
  bool StartsWith(const QIVUnicodeString& prefix) const { return _text.rfind(prefix._text, 0) == 0; }
  bool EndsWith(const QIVUnicodeString& suffix) const;

  // The text from `start`, at most `length` bytes; an out-of-range start
  // gives the empty text.
  QIVUnicodeString SubString(int start, int length = -1) const;
  // The text without the given character at its ends.
  QIVUnicodeString Strip(StripMode mode = BothSides, char character = ' ') const;
  // Replaces `length` bytes at `start`.
  QIVUnicodeString& ReplaceSubString(int start, int length, const QIVUnicodeString& replacement);
  // Replaces every occurrence of `from`; returns how many were replaced.
  int ReplaceAll(const QIVUnicodeString& from, const QIVUnicodeString& to);

  QIVUnicodeString ToUpper() const;
  QIVUnicodeString ToLower() const;

  // <0, 0, >0 as strcmp.
  int Compare(const QIVUnicodeString& other) const { return _text.compare(other._text); }

  QIVUnicodeString& Append(const QIVUnicodeString& other) {
    _text += other._text;
    return *this;
  }
  QIVUnicodeString& operator+=(const QIVUnicodeString& other) { return Append(other); }
  QIVUnicodeString& operator+=(char c) {
    _text += c;
    return *this;
  }
  friend QIVUnicodeString operator+(QIVUnicodeString a, const QIVUnicodeString& b) { return a.Append(b); }
  friend QIVUnicodeString operator+(QIVUnicodeString a, const char* b) { return a.Append(b); }
  friend QIVUnicodeString operator+(const char* a, const QIVUnicodeString& b) { return QIVUnicodeString(a).Append(b); }

  friend bool operator==(const QIVUnicodeString& a, const QIVUnicodeString& b) { return a._text == b._text; }
  friend bool operator==(const QIVUnicodeString& a, const char* b) { return a._text == (b ? b : ""); }
  friend bool operator<(const QIVUnicodeString& a, const QIVUnicodeString& b) { return a._text < b._text; }
  friend bool operator>(const QIVUnicodeString& a, const QIVUnicodeString& b) { return b < a; }
  friend std::ostream& operator<<(std::ostream& out, const QIVUnicodeString& s) { return out << s._text; }

 private:
  std::string _text;
};

template <>
struct std::hash<QIVUnicodeString> {
  std::size_t operator()(const QIVUnicodeString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
