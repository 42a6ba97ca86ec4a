#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "QIVTextBuffer.h"

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
  std::string_view Text() const { return _text.Text(); }
  std::string Take() { return _text.Take(); }
  // Forgets the text written so far, keeping the place in the structure:
  // for a caller that hands the text on in blocks.
  void ClearText() { _text.Clear(); }

  // The shortest number text that reads back as `value`; "-0.0" keeps the
  // sign of a negative zero. Only for finite values.
  static void AppendNumber(std::string& out, double value);
  static void AppendString(std::string& out, std::string_view text);

 private:
  struct Level {
    bool isInline;
    int count;
  };

  void PutString(std::string_view text);
  // What goes before a value at `out`, which has SeparatorRoom() bytes of
  // room: nothing after a key, else a comma after an earlier element, and a
  // line break and indentation in a block. Answers its end.
  char* Separate(char* out);
  std::size_t SeparatorRoom() const { return 3 + 2 * _levels.size(); }
  // The separator and the quoted `text`, which needs no escape, with room
  // for `more` bytes after it; answers its end, not yet counted in the text.
  char* SeparatedPlainString(std::string_view text, std::size_t more);
  // The number's text at `out` (NumberRoom bytes of room); its end.
  static constexpr std::size_t NumberRoom = 32;
  static char* WriteNumber(char* out, double value);
  void BeforeValue();
  void Open(char bracket, bool isInline);
  void Close(char bracket);
  void NewLine(std::size_t depth);

  QIVTextBuffer _text{4096};
  std::vector<Level> _levels;
  bool _afterKey = false;
};
