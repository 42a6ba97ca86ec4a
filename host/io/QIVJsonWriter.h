#pragma once

#include <string>
#include <string_view>
#include <vector>

// Writes JSON text in one fixed layout, so that the same values always give
// the same bytes: members and the elements of block arrays one per line,
// indented by two spaces a level; inline arrays and objects (numbers, ids,
// pairs, small records) on one line. Numbers take their shortest text that reads back to the same
// double. Texts are UTF-8; bytes that are not are written as U+FFFD.
//
// The caller keeps the structure balanced; a member value follows its Key.
class QIVJsonWriter {
 public:
  void BeginObject();
  // Members on one line, separated by ", ".
  void BeginInlineObject();
  void EndObject();
  // Elements one per line.
  void BeginArray();
  // Elements on one line, separated by ", ".
  void BeginInlineArray();
  void EndArray();

  void Key(std::string_view key);
  void String(std::string_view text);
  // False, writing null instead, for a value JSON cannot hold (NaN, inf).
  bool Number(double value);
  void Integer(long long value);
  void Bool(bool value);
  void Null();

  // The text written so far, ending with a line feed once the outermost
  // value is closed.
  const std::string& Text() const { return _text; }
  std::string Take() { return std::move(_text); }
  // Forgets the text written so far, keeping the place in the structure:
  // for a caller that hands the text on in blocks.
  void ClearText() { _text.clear(); }

  // The shortest number text that reads back as `value`; "-0.0" keeps the
  // sign of a negative zero. Only for finite values.
  static void AppendNumber(std::string& out, double value);
  static void AppendString(std::string& out, std::string_view text);

 private:
  struct Level {
    bool isInline;
    int count;
  };

  void BeforeValue();
  void Open(char bracket, bool isInline);
  void Close(char bracket);
  void NewLine(std::size_t depth);

  std::string _text;
  std::vector<Level> _levels;
  bool _afterKey = false;
};
