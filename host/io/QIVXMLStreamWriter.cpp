#include "QIVXMLStreamWriter.h"

#include <libxml/chvalid.h>
#include <libxml/tree.h>
#include <libxml/xmlstring.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "QIVPlainNumber.h"

namespace {
// The text is handed to the file once it holds this much; the room beyond
// it takes the elements written before the next hand-on without growing.
constexpr std::size_t BlockSize = std::size_t{64} << 10;
constexpr std::size_t RoomAfterBlock = std::size_t{4} << 10;

const xmlChar* XmlText(const std::string& text) { return reinterpret_cast<const xmlChar*>(text.c_str()); }

// What libxml2 writes in an attribute value for a character that cannot
// stand there as it is; null for one that can.
const char* Escape(char c) {
  switch (c) {
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '&':
      return "&amp;";
    case '"':
      return "&quot;";
    case '\n':
      return "&#10;";
    case '\r':
      return "&#13;";
    case '\t':
      return "&#9;";
    default:
      return nullptr;
  }
}

// Bytes that stand in an attribute value as they are: printable ASCII but
// those Escape replaces.
struct PlainBytes {
  bool plain[256] = {};
  constexpr PlainBytes() {
    for (int c = 0x20; c < 0x80; ++c) plain[c] = c != '<' && c != '>' && c != '&' && c != '"';
  }
};
constexpr PlainBytes Plain;

// The ASCII names libxml2's name check takes at first sight: a letter or
// '_', then letters, digits, '_', '-' and '.', once more after one ':'.
struct NameBytes {
  bool first[256] = {};
  bool next[256] = {};
  constexpr NameBytes() {
    for (int c = 0; c < 256; ++c) {
      first[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
      next[c] = first[c] || (c >= '0' && c <= '9') || c == '-' || c == '.';
    }
  }
};
constexpr NameBytes NameByte;

bool IsPlainName(std::string_view name) {
  const auto* at = reinterpret_cast<const unsigned char*>(name.data());
  const auto* const end = at + name.size();
  for (int part = 0; part < 2; ++part) {
    if (at == end || !NameByte.first[*at]) return false;
    for (++at; at != end && NameByte.next[*at]; ++at) {
    }
    if (at == end) return true;
    if (*at++ != ':') return false;
  }
  return false;
}
}  // namespace

QIVXMLStreamWriter::QIVXMLStreamWriter() : _text(BlockSize + RoomAfterBlock) {}
QIVXMLStreamWriter::~QIVXMLStreamWriter() = default;

HRESULT QIVXMLStreamWriter::Open(const QIVUnicodeString& path, std::string_view rootName,
                                 QIVUnicodeString& errorText) {
  _text.Clear();
  _open.clear();
  _startTagOpen = _opened = false;
  _path = path;
  if (!IsName(rootName)) {
    errorText = "cannot write " + path + ": the root element's name is not an XML name";
    return E_INVALIDARG;
  }
  if (FAILED(_file.Open(path, errorText))) return E_FAIL;
  _opened = true;
  _text.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  return StartElement(rootName);
}

bool QIVXMLStreamWriter::IsName(std::string_view name) { return IsPlainName(name) || IsOtherName(name); }

bool QIVXMLStreamWriter::IsOtherName(std::string_view name) {
  if (std::find(_names.begin(), _names.end(), name) != _names.end()) return true;
  std::string text(name);
  if (text.size() != name.size() || text.find('\0') != std::string::npos ||
      xmlValidateQName(XmlText(text), 0) != 0)
    return false;
  _names.push_back(std::move(text));
  return true;
}

bool QIVXMLStreamWriter::AppendAttributeValue(std::string_view value) {
  const std::size_t mark = _text.Size();
  const auto* bytes = reinterpret_cast<const unsigned char*>(value.data());
  const std::size_t size = value.size();
  std::size_t plain = 0;
  for (std::size_t at = 0; at < size;) {
    if (Plain.plain[bytes[at]]) {
      ++at;
      continue;
    }
    const unsigned char c = bytes[at];
    if (c >= 0x80) {
      // A character of several bytes: valid UTF-8 and an XML character.
      int length = static_cast<int>(std::min<std::size_t>(size - at, 4));
      const int character = xmlGetUTF8Char(bytes + at, &length);
      if (character < 0 || !xmlIsCharQ(character)) {
        _text.TruncateTo(mark);
        return false;
      }
      at += static_cast<std::size_t>(length);
      continue;
    }
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      _text.TruncateTo(mark);
      return false;
    }
    if (const char* escaped = Escape(static_cast<char>(c))) {
      _text.Put(value.substr(plain, at - plain));
      _text.Put(escaped);
      plain = at + 1;
    }
    ++at;
  }
  _text.Put(value.substr(plain));
  return true;
}

void QIVXMLStreamWriter::CloseStartTag() {
  if (!_startTagOpen) return;
  _text.Put(">\n");
  _startTagOpen = false;
}

void QIVXMLStreamWriter::Indent() {
  const std::size_t blanks = 2 * _open.size();
  std::memset(_text.Room(blanks), ' ', blanks);
  _text.Add(blanks);
}

void QIVXMLStreamWriter::HandOn() {
  if (_text.Size() < BlockSize) return;
  _file.Write(_text.Text());
  _text.Clear();
}

HRESULT QIVXMLStreamWriter::StartElement(std::string_view name) {
  if (!_opened) return E_FAIL;
  if (!IsName(name)) return E_INVALIDARG;
  CloseStartTag();
  HandOn();
  Indent();
  _text.Put('<');
  _text.Put(name);
  _open.emplace_back(name);
  _startTagOpen = true;
  return S_OK;
}

void QIVXMLStreamWriter::OpenAttribute(std::string_view name) {
  _text.Put(' ');
  _text.Put(name);
  _text.Put("=\"");
}

HRESULT QIVXMLStreamWriter::PrepareName(std::string_view name, Name& prepared) {
  if (!IsName(name)) return E_INVALIDARG;
  prepared._opening.assign(1, ' ').append(name).append("=\"");
  return S_OK;
}

HRESULT QIVXMLStreamWriter::Attribute(std::string_view name, std::string_view value) {
  if (!_opened || !_startTagOpen) return E_FAIL;
  if (!IsName(name)) return E_INVALIDARG;
  const std::size_t mark = _text.Size();
  OpenAttribute(name);
  return AttributeValue(mark, value);
}

HRESULT QIVXMLStreamWriter::Attribute(const Name& name, std::string_view value) {
  if (!_opened || !_startTagOpen || name._opening.empty()) return E_FAIL;
  const std::size_t mark = _text.Size();
  _text.Put(name._opening);
  return AttributeValue(mark, value);
}

HRESULT QIVXMLStreamWriter::Attribute(std::string_view name, double value, int width, int precision) {
  if (!_opened || !_startTagOpen) return E_FAIL;
  if (!IsName(name)) return E_INVALIDARG;
  const std::size_t mark = _text.Size();
  OpenAttribute(name);
  return AttributeValue(mark, value, width, precision);
}

HRESULT QIVXMLStreamWriter::Attribute(const Name& name, double value, int width, int precision) {
  if (!_opened || !_startTagOpen || name._opening.empty()) return E_FAIL;
  // The name and the digits in one room, counted in only when written.
  const std::string& opening = name._opening;
  char* const at = _text.Room(opening.size() + QIVPlainNumber::FixedSize + 1);
  std::memcpy(at, opening.data(), opening.size());
  char* end = QIVPlainNumber::WriteFixed(value, width, precision, at + opening.size());
  if (!end) return E_INVALIDARG;
  *end++ = '"';
  _text.EndAt(end);
  return S_OK;
}

HRESULT QIVXMLStreamWriter::AttributeValue(std::size_t mark, std::string_view value) {
  if (!AppendAttributeValue(value)) {
    _text.TruncateTo(mark);
    return E_INVALIDARG;
  }
  _text.Put('"');
  return S_OK;
}

HRESULT QIVXMLStreamWriter::AttributeValue(std::size_t mark, double value, int width, int precision) {
  // The digits go straight into the text.
  char* end = QIVPlainNumber::WriteFixed(value, width, precision, _text.Room(QIVPlainNumber::FixedSize + 1));
  if (!end) {
    _text.TruncateTo(mark);
    return E_INVALIDARG;
  }
  // Blanks, digits, sign and point, or inf and nan: nothing to escape.
  *end++ = '"';
  _text.EndAt(end);
  return S_OK;
}

HRESULT QIVXMLStreamWriter::EndElement() {
  if (!_opened || _open.empty()) return E_FAIL;
  if (_startTagOpen) {
    _text.Put("/>\n");
    _startTagOpen = false;
    _open.pop_back();
    return S_OK;
  }
  const std::string name = std::move(_open.back());
  _open.pop_back();
  Indent();
  _text.Put("</");
  _text.Put(name);
  _text.Put(">\n");
  return S_OK;
}

HRESULT QIVXMLStreamWriter::Commit(QIVUnicodeString& errorText) {
  if (!_opened) {
    _file.Abandon();
    _opened = false;
    errorText = "cannot write " + _path + ": the XML writer failed";
    return E_FAIL;
  }
  while (!_open.empty()) EndElement();
  _file.Write(_text.Text());
  _text.Clear();
  _opened = false;
  return _file.Commit(errorText);
}
