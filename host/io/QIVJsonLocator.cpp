#include "QIVJsonLocator.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

std::vector<std::string> PointerTokens(std::string_view pointer) {
  std::vector<std::string> tokens;
  std::size_t start = 1;
  while (start <= pointer.size()) {
    std::size_t end = pointer.find('/', start);
    if (end == std::string_view::npos) end = pointer.size();
    std::string token;
    for (std::size_t i = start; i < end; ++i) {
      if (pointer[i] == '~' && i + 1 < end && (pointer[i + 1] == '0' || pointer[i + 1] == '1')) {
        token += pointer[++i] == '0' ? '~' : '/';
      } else {
        token += pointer[i];
      }
    }
    tokens.push_back(std::move(token));
    start = end + 1;
  }
  return tokens;
}

void AppendUtf8(std::string& out, unsigned long code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Walks text already known to be JSON; every step answers false when the
// text is not what it expects.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : _text(text) {}

  std::size_t Position() const { return _at; }

  void SkipSpace() {
    while (_at < _text.size() &&
           (_text[_at] == ' ' || _text[_at] == '\t' || _text[_at] == '\n' || _text[_at] == '\r'))
      ++_at;
  }
  bool At(char c) const { return _at < _text.size() && _text[_at] == c; }
  bool Take(char c) {
    SkipSpace();
    if (!At(c)) return false;
    ++_at;
    return true;
  }

  bool ReadString(std::string& out) {
    if (!At('"')) return false;
    ++_at;
    while (_at < _text.size() && _text[_at] != '"') {
      if (_text[_at] != '\\') {
        out += _text[_at++];
        continue;
      }
      if (++_at >= _text.size()) return false;
      const char escaped = _text[_at++];
      switch (escaped) {
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          unsigned long code = 0;
          if (!ReadHex(code)) return false;
          if (code >= 0xD800 && code <= 0xDBFF && _text.substr(_at, 2) == "\\u") {
            _at += 2;
            unsigned long low = 0;
            if (!ReadHex(low)) return false;
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(out, code);
          break;
        }
        default:
          out += escaped;
      }
    }
    if (!At('"')) return false;
    ++_at;
    return true;
  }

  bool SkipValue() {
    SkipSpace();
    if (At('"')) {
      std::string ignored;
      return ReadString(ignored);
    }
    if (!At('{') && !At('[')) {
      const std::size_t start = _at;
      while (_at < _text.size() && std::string_view(",}] \t\r\n").find(_text[_at]) == std::string_view::npos)
        ++_at;
      return _at > start;
    }
    int depth = 0;
    while (_at < _text.size()) {
      const char c = _text[_at];
      if (c == '"') {
        std::string ignored;
        if (!ReadString(ignored)) return false;
        continue;
      }
      ++_at;
      if (c == '{' || c == '[') ++depth;
      if ((c == '}' || c == ']') && --depth == 0) return true;
    }
    return false;
  }

  // Moves to the value of the member `key` of the object that starts here.
  bool EnterMember(const std::string& key) {
    if (!Take('{')) return false;
    SkipSpace();
    if (At('}')) return false;
    while (true) {
      SkipSpace();
      std::string name;
      if (!ReadString(name) || !Take(':')) return false;
      SkipSpace();
      if (name == key) return true;
      if (!SkipValue() || !Take(',')) return false;
    }
  }

  // Moves to the element `index` of the array that starts here.
  bool EnterElement(const std::string& token) {
    if (token.empty() || token.size() > 9 ||
        !std::all_of(token.begin(), token.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
      return false;
    if (!Take('[')) return false;
    SkipSpace();
    if (At(']')) return false;
    for (long index = std::stol(token); index > 0; --index)
      if (!SkipValue() || !Take(',')) return false;
    SkipSpace();
    return !At(']');
  }

  bool IsObjectHere() {
    SkipSpace();
    return At('{');
  }

 private:
  bool ReadHex(unsigned long& code) {
    if (_at + 4 > _text.size()) return false;
    code = 0;
    for (const char digit : _text.substr(_at, 4)) {
      const std::size_t value =
          std::string_view("0123456789abcdef").find(static_cast<char>(std::tolower(digit)));
      if (value == std::string_view::npos) return false;
      code = code * 16 + value;
    }
    _at += 4;
    return true;
  }

  std::string_view _text;
  std::size_t _at = 0;
};

}  // namespace

int QIVJsonLocator::LineOfPointer(std::string_view text, std::string_view pointer) {
  if (!pointer.empty() && pointer.front() != '/') return 0;
  Scanner scanner(text);
  for (const std::string& token : PointerTokens(pointer)) {
    const bool entered = scanner.IsObjectHere() ? scanner.EnterMember(token) : scanner.EnterElement(token);
    if (!entered) return 0;
  }
  scanner.SkipSpace();
  int line = 0;
  int column = 0;
  LineAndColumn(text, scanner.Position(), line, column);
  return line;
}

void QIVJsonLocator::LineAndColumn(std::string_view text, std::size_t offset, int& line, int& column) {
  offset = std::min(offset, text.size());
  const std::string_view before = text.substr(0, offset);
  line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
  const std::size_t lineStart = before.rfind('\n');
  column = 1 + static_cast<int>(lineStart == std::string_view::npos ? offset : offset - lineStart - 1);
}
