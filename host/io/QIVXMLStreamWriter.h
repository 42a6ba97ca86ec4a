#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "QIVAtomicFile.h"
#include "QIVStatus.h"
#include "QIVTextBuffer.h"
#include "QIVUnicodeString.h"

// Writes an XML file element by element, without a tree in memory, in the
// layout the DOM builder writes (UTF-8 with an XML declaration, one element
// a line indented by two spaces, an element without content closed by
// "/>", in attributes the markup characters, tab, line feed and carriage
// return escaped as libxml2 escapes them), so that the same elements give
// the same bytes. The text is made in a buffer of its own and handed to the
// file in blocks: a location export writes a dozen attributes a weld, which
// a general-purpose writer costs a thousand instructions each. The file
// replaces its target only on Commit: a refused name or value, or a writer
// dropped before Commit, leaves no partial file.
class QIVXMLStreamWriter {
 public:
  QIVXMLStreamWriter();
  ~QIVXMLStreamWriter();

  // Opens the file, its declaration and its root element.
  HRESULT Open(const QIVUnicodeString& path, std::string_view rootName, QIVUnicodeString& errorText);
  // E_INVALIDARG for a name, or a value, that XML cannot carry.
  HRESULT StartElement(std::string_view name);
  // Only right after StartElement, before any child.
  HRESULT Attribute(std::string_view name, std::string_view value);
  // A number as printf's "%<width>.<precision>f" writes it.
  HRESULT Attribute(std::string_view name, double value, int width, int precision);

  // An attribute's name checked once, for a file that writes it on every
  // element of a kind.
  class Name {
   public:
    Name() = default;

   private:
    friend class QIVXMLStreamWriter;
    // ` name="`: the text up to the value.
    std::string _opening;
  };
  // E_INVALIDARG, `prepared` untouched, when `name` is not an XML name.
  HRESULT PrepareName(std::string_view name, Name& prepared);
  HRESULT Attribute(const Name& name, std::string_view value);
  HRESULT Attribute(const Name& name, double value, int width, int precision);
  HRESULT EndElement();
  // Closes every open element and replaces the target.
  HRESULT Commit(QIVUnicodeString& errorText);

 private:
  bool IsName(std::string_view name);
  // Beyond the plain ASCII names, as libxml2 tells them; each name once.
  bool IsOtherName(std::string_view name);
  // Opens an attribute of a name IsName takes: the text up to its value.
  void OpenAttribute(std::string_view name);
  // The value of an attribute opened at `mark`; a refused one takes the
  // attribute back.
  HRESULT AttributeValue(std::size_t mark, std::string_view value);
  HRESULT AttributeValue(std::size_t mark, double value, int width, int precision);
  // Appends `value` escaped for an attribute; false, leaving the buffer as
  // it was, when it is not UTF-8 made of XML characters.
  bool AppendAttributeValue(std::string_view value);
  void CloseStartTag();
  void Indent();
  void HandOn();

  QIVAtomicFile _file;
  QIVUnicodeString _path;
  // The text not yet handed to the file.
  QIVTextBuffer _text;
  // The open elements, the root first.
  std::vector<std::string> _open;
  // Names beyond ASCII already found to be XML names.
  std::vector<std::string> _names;
  // The innermost element's start tag still takes attributes.
  bool _startTagOpen = false;
  bool _opened = false;
};
